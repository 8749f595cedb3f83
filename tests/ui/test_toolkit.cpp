// The toolkit layer: sliders with their minimum at the top whose scroll notification comes first, the two
// questions; and where the panel's columns stand for each y-axis choice (in whole pixels, halves to even).
#include <QMessageBox>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

#include "ui/panelgeometry.h"
#include "ui/toolkit.h"

namespace kelvora::toolkit {
namespace {

TEST(Notifications, SliderKeysMoveTheWayTheyPointScrollComesFirstTheProgramsChangeOnlyChanges) {
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
    // The minimum is at the top: Up moves towards it, Down away from it.
    for (const auto& [key, at] : {std::pair{Qt::Key_Down, 51}, std::pair{Qt::Key_Up, 50}}) {
        log.clear();
        QTest::keyClick(slider, key);
        const std::string s = std::to_string(at);
        EXPECT_EQ(log, (std::vector<std::string>{"scroll " + s, "change " + s})) << key;
    }
    log.clear();
    slider->setValue(70);
    EXPECT_EQ(log, (std::vector<std::string>{"change 70"})); // and no scroll
}

TEST(Notifications, SliderGrooveIsColouredFromTheBottomUpToTheThumb) {
    // The top stands for the highest value. The slider must look exactly like a slider with its minimum
    // at the bottom showing the mirrored position, which the style colours from the bottom end.
    QWidget window;
    QSlider* slider = verticalslider(&window);
    auto* plain = new QSlider(Qt::Vertical, &window);
    for (QSlider* s : {slider, plain}) {
        s->setGeometry(s == slider ? 10 : 60, 10, 33, 153);
        s->setRange(0, 100);
        s->setTickPosition(QSlider::TicksRight);
        s->setTickInterval(5);
    }
    slider->setValue(30);
    plain->setValue(70);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage image = slider->grab().toImage();
    EXPECT_EQ(image, plain->grab().toImage());
    // And the groove differs above and below the thumb (three tenths down): the fill is there at all.
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = Qt::Vertical;
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.tickPosition = slider->tickPosition();
    const QRect groove =
        slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
    const int x = groove.center().x(), tenth = groove.height() / 10;
    EXPECT_NE(image.pixel(x, groove.top() + tenth), image.pixel(x, groove.bottom() - tenth));
}

// Both questions: the texts given, the buttons, which one Enter and Escape press, and the answer of the
// button that is the program's own.
TEST(Questions, ShowTheirButtonsAndReturnTheAnswer) {
    using Box = QMessageBox;
    const QString text = QStringLiteral("Proceed?"), title = QStringLiteral("Title");
    // The question, the button clicked and the answer it gives, the icon, the button Enter presses.
    const std::tuple<std::function<int()>, Box::StandardButton, int, Box::Icon, Box::StandardButton> cases[] =
        {{[&] { return int(askokcancel(nullptr, text, title)); }, Box::Ok, int(Answer::OK), Box::Question,
          Box::Cancel},
         {[&] { return int(askretry(nullptr, text, title, title)); }, Box::Discard, int(SaveAnswer::Discard),
          Box::Warning, Box::Retry}};
    for (const auto& [ask, click, answer, icon, enter] : cases) {
        bool found = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
            if (!box) return;
            found = true;
            EXPECT_EQ(box->text() + box->windowTitle(), text + title);
            EXPECT_EQ(box->icon(), icon);
            EXPECT_EQ(box->defaultButton(), box->button(enter));
            EXPECT_EQ(box->escapeButton(), box->button(Box::Cancel));
            box->button(click)->click();
        });
        EXPECT_EQ(ask(), answer) << click;
        EXPECT_TRUE(found) << click;
    }
}

// The expected positions were worked out separately, step by step in single precision, with every
// position snapped to the whole pixel the toolkit keeps before the next column is placed from it.
const std::array<float, panelarrays> design{600.0f, 480.0f, 480.0f, 480.0f, 360.0f, 480.0f};

TEST(PanelGeometry, ColumnsStandAtTheirWorkedOutPlaces) {
    // y-axis choice, column, array, left in twips.
    for (const auto& [y, column, array, left] :
         {// ATPout stands where ATPin would, plus 240 x 0.96 twips (830.4, kept as pixel 55).
          std::tuple{ratioaxis, ATPout, SliderArray, 825.0f},
          std::tuple{ratioaxis, KMatp, tbValueArray, 14475.0f},
          // With T on the y axis the spacing widens at column 9 and narrows again at 17.
          std::tuple{int16_t{T}, KMadpout, SliderArray, 7290.0f},
          std::tuple{int16_t{T}, KMatp, SliderArray, 14640.0f},
          std::tuple{int16_t{ATPin}, ADPin, SliderArray, 810.0f},   // 240 x 0.87 right of the hidden ATPin
          std::tuple{int16_t{ADPin}, ATPout, SliderArray, 1545.0f}, // 600 + 1080 x 0.87, kept as pixel 103
          std::tuple{int16_t{KMatp}, KMadp, SliderArray, 14430.0f}})
        EXPECT_EQ(panelgeometry(y, design).columns[column].left[array], left) << y << " " << column;
}

} // namespace
} // namespace kelvora::toolkit
