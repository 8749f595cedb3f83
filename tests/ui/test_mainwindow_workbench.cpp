// The window as a workbench: the y-axis choice, a plot that grows with the window, the crossing text,
// accessible names and tab order, and limit boxes that give back what was set. And typed text still
// standing in a panel box when the user acts elsewhere: every action takes it over first, exactly as
// leaving the box does; and Enter in an axis-limit box, which stands for Set.
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAction>
#include <QComboBox>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <functional>

#include "config/inifile.h"
#include "model/cliptable.h"
#include "model/crossingtext.h"
#include "model/parsenumber.h"
#include "plot/titles.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Workbench : public Shown {
  protected:
    QComboBox* yaxis() const { return control<QComboBox>("yaxis"); }
    // Chooses the entry after the present one with the keyboard, as a user would.
    void choosenext() {
        yaxis()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(yaxis(), Qt::Key_Down);
        settle();
    }
    static QString accessible(QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    }
};

TEST_F(Workbench, ChoosingAYAxisDoesWhatTheSettingsFileDoes) {
    clickbutton("automatic");
    choosenext(); // ATPin
    EXPECT_EQ(f().state().yaxis, ATPin);
    EXPECT_EQ(limitsof(f().state()), fittedlimits(f().state()));
    EXPECT_FALSE(slider(ATPin)->isVisible());
    EXPECT_TRUE(slider(ADPin)->isVisible()); // the ratio's other half is back
    EXPECT_EQ(text(control("crossing")), crossingtext(f().state(), f().decimalseparator()));
    EXPECT_TRUE(copy().startsWith(QString::fromStdString(yaxistext(ATPin + 1))));
    closewindow();
    EXPECT_EQ(start().state().yaxis, ATPin);
}

TEST_F(Workbench, ThePlotTakesTheExtraRoomAndTheRestFollows) {
    const QSize design = f().size();
    const QPoint limitsat = control<QWidget>("limitsBox")->pos();
    const QPoint panelat = control<QWidget>("parameterPanel")->pos();
    f().resize(design + QSize(200, 100));
    settle();
    EXPECT_EQ(plotview()->size(), QSize(defaultsurfacewidth + 200, defaultsurfaceheight + 100));
    EXPECT_EQ(f().plotstate().plotheight, N + 100);
    EXPECT_EQ(control<QWidget>("limitsBox")->pos(), limitsat + QPoint(200, 0));
    EXPECT_EQ(control<QWidget>("parameterPanel")->pos(), panelat + QPoint(0, 100));
    EXPECT_EQ(linecount(copy()), N + 100 + 1);
    f().resize(100, 100);
    settle();
    EXPECT_EQ(plotview()->size(), QSize(defaultsurfacewidth, defaultsurfaceheight));
}

TEST_F(Workbench, ControlsSayWhichParameterAndFieldTheyAre) {
    // clang-format off
    const std::pair<const char*, const char*> names[] = {{"pHo value", "pHo value"}, {"pHo minimum",
        "pHo minimum"}, {"pHo maximum", "pHo maximum"}, {"pHo slider", "pHo slider"}, {"ymax", "Y max"},
        {"ymin", "Y min"}, {"xmax", "X max"}, {"xmin", "X min"}, {"crossing", "Crossing point"}};
    // clang-format on
    for (const auto& [object, name] : names)
        EXPECT_EQ(accessible(control<QWidget>(object)), QString::fromLatin1(name));
    // A drop-down list is named by its label on Linux; its name there is the entry shown.
    const auto labels = QAccessible::queryAccessibleInterface(yaxis())->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->text(QAccessible::Name), QStringLiteral("Y axis"));
    // The slider says its parameter's value as the value box shows it (pHi 7.38 in single precision).
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(slider(pHi));
    EXPECT_EQ(access->valueInterface()->currentValue().toDouble(), 7.38);
    EXPECT_EQ(access->valueInterface()->maximumValue().toDouble(), f().state().params[pHi].max);
}

TEST_F(Workbench, TabReachesEveryControlOnceRunningDownEachColumn) {
    QList<QWidget*> reached;
    QWidget* w = yaxis();
    do {
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) reached.push_back(w);
        w = w->nextInFocusChain();
    } while (w != yaxis());
    for (QWidget* c : f().findChildren<QWidget*>())
        EXPECT_EQ(reached.count(c), c->isVisible() && c->isEnabled() && (c->focusPolicy() & Qt::TabFocus));
    const qsizetype top = reached.indexOf(maximum(pHo));
    EXPECT_EQ(reached.mid(top, 4), (QList<QWidget*>{maximum(pHo), slider(pHo), minimum(pHo), value(pHo)}));
}

TEST_F(Workbench, LimitBoxesGiveBackWhatWasSetAndSetChangesOneAxis) {
    typeinto(control("xmin"), "-122.70001");
    enter(control("xmax"), "-122.69999");
    EXPECT_EQ(parsenumber(text(control("xmin"))), -122.70001);
    EXPECT_TRUE(button("set")->isEnabled());
    enter(control("ymax"), "2");
    EXPECT_EQ(limits(), (AxisLimits{-122.70001, -122.69999, 0, 2}));
}

class Actions : public Shown {};

TEST_F(Actions, EveryActionElsewhereTakesOverTheTypedTextFirst) {
    // One case for each way an action takes the focus: the plot's click focus, an access key, a button's
    // click through the platform window as a real mouse's would arrive, a menu entry, and a slider's wheel.
    // The action, pHi's box, the text typed into it (pHi's value afterwards, in its value box and on the
    // clipboard), whether the action copies to the clipboard, and the action itself.
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
        {"Keep as reference", "value", "7.2", false,
         [&] {
             control<QAction>("keepReference")->trigger();
             EXPECT_EQ(f().reference()->params[pHi].value, 7.2f);
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

// The change is drawn, and the limits re-fitted, only at the next pass of the event loop: a copy made
// before that holds the rows the window then shows all the same.
TEST_F(Actions, ACopyRightAfterAChangeHoldsTheRowsShown) {
    clickbutton("automatic");
    typeinto(value(pHo), "6.5");
    const std::string copied = copy().toStdString();
    EXPECT_EQ(copied, cliptable(f().state(), f().plotstate().plotheight, SeparatorChoice::system,
                                f().decimalseparator()));
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
