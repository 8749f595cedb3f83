// The toolkit layer: sliders with their minimum at the top whose scroll notification comes first, twips,
// the reset question; and where the panel's columns stand for each y-axis choice.
#include <QMessageBox>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ui/panelgeometry.h"
#include "ui/toolkit.h"

namespace kelvora::toolkit {
namespace {

TEST(Notifications, SliderKeysMoveTheWayTheyPointScrollComesFirstTheProgramsChangesOnlyChange) {
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
    // And the groove differs below and above the thumb: the fill is there at all.
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = Qt::Vertical;
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.upsideDown = false;
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    const QRect thumb =
        slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
    const QRect groove =
        slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
    const int x = groove.center().x();
    EXPECT_NE(image.pixel(x, (thumb.bottom() + groove.bottom()) / 2),
              image.pixel(x, (groove.top() + thumb.top()) / 2));
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

// The expected positions were worked out separately, step by step in single precision, with every
// position snapped to the whole pixel the toolkit keeps before the next column is placed from it.
const std::array<float, panelarrays> design{600.0f, 480.0f, 480.0f, 480.0f, 360.0f, 480.0f};

TEST(PanelGeometry, EachChoiceHidesItsColumnOnItsLeftNeighbour) {
    for (int16_t y = ratioaxis; y <= lastindex; ++y) {
        const PanelPlacement p = panelgeometry(y, design);
        std::vector<int> hidden;
        for (int i = 0; i <= lastindex; ++i)
            if (!p.columns[i].visible) hidden.push_back(i);
        // The ratio hides both ATPin and ADPin and is the only choice with the y title picture.
        const std::vector<int> expected =
            y == ratioaxis ? std::vector<int>{ATPin, ADPin} : std::vector<int>{y};
        EXPECT_EQ(hidden, expected) << y;
        EXPECT_EQ(p.image2visible, y == ratioaxis) << y;
        if (y >= 1) {
            EXPECT_EQ(p.columns[y].left, p.columns[y - 1].left) << y;
        }
    }
}

TEST(PanelGeometry, RatioAndTemperatureLayouts) {
    // ATPout stands where ATPin would, plus 240 x 0.96 twips (830.4, kept as pixel 55); with T on the y
    // axis the spacing widens at column 9 and narrows again at 17.
    const std::vector<int> ratio{600,  825,  825,  1635, 2445,  3255,  4065,  4875,  5685,  6495,
                                 7305, 8115, 8925, 9735, 10545, 11355, 12165, 12975, 13785, 14595};
    const std::vector<int> temperature{600,  1335, 2070, 2805,  3540,  4275,  5010,  5745,  6480,  7290,
                                       8100, 8910, 9720, 10530, 11340, 12150, 12960, 12960, 13905, 14640};
    for (const auto& [y, sliders] : {std::pair{ratioaxis, ratio}, std::pair{int16_t{T}, temperature}}) {
        const PanelPlacement p = panelgeometry(y, design);
        // The other arrays follow the slider at their design distance, a whole number of pixels.
        for (int a = 0; a < panelarrays; ++a) {
            std::vector<int> expected, lefts;
            for (int i = 0; i <= lastindex; ++i) {
                expected.push_back(sliders[i] - 600 + static_cast<int>(design[a]));
                lefts.push_back(static_cast<int>(p.columns[i].left[a]));
            }
            EXPECT_EQ(lefts, expected) << "y-axis index " << y << ", array " << a;
        }
    }
}

TEST(PanelGeometry, EdgeChoices) {
    // y-axis choice, column, array, left in twips.
    for (const auto& [y, column, array, left] :
         {std::tuple{ATPin, ADPin, SliderArray, 810.0f}, // 240 x 0.87 right of the hidden ATPin column
          std::tuple{ATPin, ADPin, tbMaxArray, 690.0f}, std::tuple{ATPin, KMatp, SliderArray, 14640.0f},
          std::tuple{ADPin, ATPout, SliderArray, 1545.0f}, // 600 + 1080 x 0.87, kept as pixel 103
          std::tuple{KMatp, KMadp, SliderArray, 14430.0f}})
        EXPECT_EQ(panelgeometry(static_cast<int16_t>(y), design).columns[column].left[array], left)
            << y << " " << column;
}

} // namespace
} // namespace kelvora::toolkit
