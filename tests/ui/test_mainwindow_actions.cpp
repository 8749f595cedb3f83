// Typed text still standing in a panel box when the user acts elsewhere: every action takes it over
// first, exactly as leaving the box does. And Enter in an axis-limit box, which stands for Set.
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <functional>

#include "config/inifile.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Actions : public Shown {};

TEST_F(Actions, EveryActionElsewhereTakesOverTheTypedTextFirst) {
    // One case for each way an action takes the focus: the plot's click focus, an access key, a button's
    // click through the platform window as a real mouse's would arrive, and a slider's wheel. The action,
    // pHi's box, the text typed into it (pHi's value afterwards, in its value box and on the clipboard),
    // whether the action copies to the clipboard, and the action itself.
    const std::vector<std::tuple<const char*, const char*, const char*, bool, std::function<void()>>> cases{
        {"plot click", "minimum", "7.5", false, [&] { click(px, py); }},
        {"Alt+C", "value", "7.2", true,
         [&] {
             QTest::keyClick(window(), Qt::Key_C, Qt::AltModifier);
             EXPECT_TRUE(QTest::qWaitFor([] { return !clipboard().isEmpty(); }));
         }},
        {"Set", "maximum", "7", false,
         [&] {
             const QPoint at = button("set")->mapTo(form.get(), button("set")->rect().center());
             QTest::mouseClick(window(), Qt::LeftButton, {}, at);
         }},
        // One notch of the wheel over the slider, handed to the window as the platform hands it over:
        // marked as the system's (only those may move the focus), not through sendEvent, which drops that.
        {"slider wheel", "value", "7.2", false,
         [&] {
             const QPointF at = slider(pHo)->mapTo(form.get(), slider(pHo)->rect().center());
             QWheelEvent e(at, form->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                           Qt::NoScrollPhase, false);
             QSpontaneKeyEvent::setSpontaneous(&e);
             QApplication::instance()->notify(window(), &e);
         }},
    };
    for (const auto& [action, box, typed, copies, act] : cases) {
        closewindow();
        ASSERT_TRUE(QFile::remove(path(configfilename)));
        start(true);
        typeinto(field(pHi, box), typed);
        QGuiApplication::clipboard()->setText(QString());
        act();
        settle();
        EXPECT_EQ(f().state().params[pHi].value, std::stof(typed)) << action;
        EXPECT_EQ(text(value(pHi)), withsep(typed)) << action;
        // What the copy lists as pHi's value, last on its line.
        const QString listed = QStringLiteral("\tpHi \t%1\r\n").arg(QString::fromStdString(withsep(typed)));
        EXPECT_EQ(clipboard().contains(listed), copies) << action;
    }
}

TEST_F(Actions, ClosingSavesNoTypedTextThatWasNeverApplied) {
    typeinto(value(pHi), "7.2");
    closewindow();
    EXPECT_EQ(start().state().params[pHi].value, 7.38f);
}

// The boxes share one handler: the last one stands for all four.
TEST_F(Actions, EnterInALimitBoxSetsTheLimitsOnlyWhileSetIsEnabled) {
    click(px, py); // a pinned marker, which Set removes
    typeinto(control("xmin"), "-150");
    typeinto(control("ymax"), "3");
    QTest::keyClick(window(), Qt::Key_Return);
    settle();
    EXPECT_EQ(f().state().xmin, -150.0);
    EXPECT_FALSE(f().plotstate().pinned);
    typeinto(control("xmin"), "-80"); // equal to x max: Set is disabled
    ASSERT_FALSE(button("set")->isEnabled());
    QTest::keyClick(window(), Qt::Key_Enter);
    EXPECT_EQ(f().state().xmin, -150.0);
}

} // namespace
} // namespace kelvora::uitest
