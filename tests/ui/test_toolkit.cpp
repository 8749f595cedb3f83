// The toolkit layer: notifications for the program's own changes, the slider's scroll notification
// apart from its change notification, sliders with their minimum at the top, key codes, twips, the reset
// question.
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ui/toolkit.h"

namespace kelvora::toolkit {
namespace {

// A slider in a shown window, at 50 of 0 ... 100, with its notifications logged in order.
struct LoggedSlider {
    QWidget window;
    QSlider* slider = verticalslider(&window);
    std::vector<std::string> log;

    LoggedSlider() {
        slider->setGeometry(10, 10, 33, 153);
        slider->setRange(0, 100);
        slider->setValue(50);
        slider->setPageStep(10);
        // The scroll notification logs the position it sees.
        onscroll(slider, [this] { log.push_back("scroll " + std::to_string(position(slider))); });
        onchange(slider, [this] { log.push_back("change " + std::to_string(slider->value())); });
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
};

TEST(Slider, KeysMoveTheWayTheyPointAndScrollComesFirstWithTheNewPosition) {
    LoggedSlider s;
    struct Step {
        Qt::Key key;
        int position;
    };
    // The minimum is at the top: Up moves towards it, Down and PageDown away from it.
    for (const Step step :
         {Step{Qt::Key_Down, 51}, Step{Qt::Key_Up, 50}, Step{Qt::Key_PageDown, 60}, Step{Qt::Key_Home, 0}}) {
        s.log.clear();
        QTest::keyClick(s.slider, step.key);
        const std::string at = std::to_string(step.position);
        EXPECT_EQ(s.log, (std::vector<std::string>{"scroll " + at, "change " + at})) << step.key;
    }
}

TEST(Slider, ClickOnTheUpperTrackMovesTowardsTheMinimum) {
    LoggedSlider s;
    // At 50 the thumb stands in the middle of the track; near the top the track is bare.
    QStyleOptionSlider option;
    option.initFrom(s.slider);
    option.orientation = Qt::Vertical;
    option.tickPosition = s.slider->tickPosition();
    const QRect track =
        s.slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, s.slider);
    const QPoint upper(track.center().x(), 10);
    QTest::mousePress(s.slider, Qt::LeftButton, {}, upper);
    QTest::mouseRelease(s.slider, Qt::LeftButton, {}, upper);
    EXPECT_LT(s.slider->value(), 50);
    ASSERT_FALSE(s.log.empty());
    EXPECT_EQ(s.log.front().substr(0, 6), "scroll");
}

TEST(Slider, DraggingTheThumbScrollsAtEveryStep) {
    LoggedSlider s;
    const QPoint start = s.slider->rect().center(); // on the thumb, at 50 of 0 ... 100
    QTest::mousePress(s.slider, Qt::LeftButton, {}, start);
    ASSERT_TRUE(s.slider->isSliderDown());
    for (int dy = 5; dy <= 40; dy += 5) {
        const QPoint to = start + QPoint(0, dy);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), s.slider->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(s.slider, &move);
    }
    QTest::mouseRelease(s.slider, Qt::LeftButton, {}, start + QPoint(0, 40));
    EXPECT_GT(s.slider->value(), 50); // dragged down, away from the minimum at the top
    std::vector<std::string> scrolls;
    for (const std::string& entry : s.log)
        if (entry.starts_with("scroll")) scrolls.push_back(entry);
    EXPECT_GE(scrolls.size(), 2u);
    EXPECT_EQ(scrolls.back(), "scroll " + std::to_string(s.slider->value()));
}

TEST(Notifications, TheProgramsOwnChangesAreReportedOncePerChange) {
    LoggedSlider s;
    s.slider->setValue(70);
    s.slider->setValue(70);    // no change, no notification
    s.slider->setRange(0, 60); // the position is clamped into the new range
    EXPECT_EQ(s.slider->value(), 60);
    EXPECT_EQ(s.log, (std::vector<std::string>{"change 70", "change 60"})); // and no scroll

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

TEST(Keys, EnterAndEscapeHaveTheirCodesKeysThatTypeNothingNone) {
    struct Key {
        Qt::Key key;
        const char* text;
        int code;
    };
    for (const Key k :
         {Key{Qt::Key_Return, "\r", 13}, Key{Qt::Key_Enter, "\r", 13}, Key{Qt::Key_Escape, "\x1b", 27},
          Key{Qt::Key_A, "a", 'a'}, Key{Qt::Key_Comma, ",", ','}, Key{Qt::Key_Left, "", 0}}) {
        const QKeyEvent event(QEvent::KeyPress, k.key, Qt::NoModifier, QString::fromLatin1(k.text));
        EXPECT_EQ(keycode(&event), k.code) << k.key;
    }
}

TEST(Geometry, TwipsBecomeWholePixelsHalvesToEven) {
    EXPECT_EQ(pixels(8268), 551);
    EXPECT_EQ(pixels(4572), 305);
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
