// The window as a workbench: the y-axis choice, a plot that grows with the window, the crossing text,
// accessible names and tab order, and limit boxes that give back what was set.
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QComboBox>

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

} // namespace
} // namespace kelvora::uitest
