// The toolkit layer: sliders with their minimum at the top whose scroll notification comes first,
// notifications for the program's own changes, twips, the reset question.
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ui/toolkit.h"

namespace kelvora::toolkit {
namespace {

TEST(Slider, KeysMoveTheWayTheyPointScrollComesFirstAndTheProgramsChangesOnlyChange) {
    QWidget window;
    QSlider* slider = verticalslider(&window);
    slider->setGeometry(10, 10, 33, 153);
    slider->setRange(0, 100);
    slider->setValue(50);
    slider->setPageStep(10);
    std::vector<std::string> log;
    onscroll(slider, [&] { log.push_back("scroll " + std::to_string(position(slider))); });
    onchange(slider, [&] { log.push_back("change " + std::to_string(slider->value())); });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // The minimum is at the top: Up moves towards it, Down and PageDown away from it.
    for (const auto& [key, at] : {std::pair{Qt::Key_Down, 51}, std::pair{Qt::Key_Up, 50},
                                  std::pair{Qt::Key_PageDown, 60}, std::pair{Qt::Key_Home, 0}}) {
        log.clear();
        QTest::keyClick(slider, key);
        const std::string s = std::to_string(at);
        EXPECT_EQ(log, (std::vector<std::string>{"scroll " + s, "change " + s})) << key;
    }
    log.clear();
    slider->setValue(70);
    slider->setValue(70);    // no change, no notification
    slider->setRange(0, 60); // the position is clamped into the new range
    EXPECT_EQ(log, (std::vector<std::string>{"change 70", "change 60"})); // and no scroll
}

TEST(Notifications, TheProgramsOwnChangesAreReportedOncePerChange) {
    QLineEdit box;
    QCheckBox check;
    int texts = 0;
    int clicks = 0;
    onchange(&box, [&] { ++texts; });
    onclick(&check, [&] { ++clicks; });
    box.setText(QStringLiteral("7.25"));
    box.setText(QStringLiteral("7.25"));
    check.setChecked(true);
    check.setChecked(true);
    check.setChecked(false);
    EXPECT_EQ(texts, 1);
    EXPECT_EQ(clicks, 2);
}

TEST(Geometry, TwipsBecomeWholePixelsHalvesToEven) {
    EXPECT_EQ(pixels(337.5), 22); // 22.5 pixels
    EXPECT_EQ(pixels(352.5), 24); // 23.5 pixels
    QWidget w;
    setlefttwips(&w, 830.4f);
    EXPECT_EQ(w.x(), 55);
    EXPECT_EQ(lefttwips(&w), 825.0f);
}

TEST(Question, ShowsOkAndCancelWithCancelAsDefault) {
    for (const QMessageBox::StandardButton choice : {QMessageBox::Ok, QMessageBox::Cancel}) {
        bool found = false;
        QTimer::singleShot(0, [&found, choice] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            found = true;
            EXPECT_EQ(box->text(), QStringLiteral("Proceed?"));
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Default"));
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Cancel));
            box->button(choice)->click();
        });
        const Answer answer = askokcancel(nullptr, QStringLiteral("Proceed?"), QStringLiteral("Default"));
        EXPECT_EQ(answer, choice == QMessageBox::Ok ? Answer::OK : Answer::Cancel);
        EXPECT_TRUE(found);
    }
}

} // namespace
} // namespace kelvora::toolkit
