// The toolkit layer: notifications for the program's own changes, the slider's scroll notification
// apart from its change notification, sliders with their minimum at the top, pending events, the
// reset question.
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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

// A slider in a shown window, with its notifications logged in order.
struct LoggedSlider {
    QWidget window;
    QSlider* slider = nullptr;
    std::vector<std::string> log;
    std::vector<int> scrollpositions;

    LoggedSlider() {
        window.resize(100, 200);
        slider = verticalslider(&window);
        slider->setGeometry(10, 10, 33, 153);
        slider->setRange(0, 100);
        slider->setValue(50);
        slider->setSingleStep(1);
        slider->setPageStep(10);
        onscroll(slider, [this] {
            log.push_back("scroll");
            scrollpositions.push_back(position(slider));
        });
        onchange(slider, [this] { log.push_back("change " + std::to_string(slider->value())); });
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QRect handle() const { return part(QStyle::SC_SliderHandle); }

    QRect part(QStyle::SubControl control) const {
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = slider->sliderPosition();
        option.sliderValue = slider->value();
        option.upsideDown = !slider->invertedAppearance(); // as QSlider fills it for a vertical slider
        option.direction = slider->layoutDirection();
        option.tickPosition = slider->tickPosition();
        option.subControls = QStyle::SC_All;
        return slider->style()->subControlRect(QStyle::CC_Slider, &option, control, slider);
    }
};

TEST(Slider, UpKeyMovesTheThumbUpTowardsTheMinimum) {
    LoggedSlider s;
    QTest::keyClick(s.slider, Qt::Key_Up);
    EXPECT_EQ(s.slider->value(), 49);
    QTest::keyClick(s.slider, Qt::Key_PageDown);
    EXPECT_EQ(s.slider->value(), 59);
    QTest::keyClick(s.slider, Qt::Key_Home);
    EXPECT_EQ(s.slider->value(), 0);
}

TEST(Slider, ClickOnTheUpperTrackMovesTowardsTheMinimum) {
    LoggedSlider s;
    const QPoint upper(s.part(QStyle::SC_SliderGroove).center().x(),
                       s.part(QStyle::SC_SliderHandle).top() - 20);
    QTest::mousePress(s.slider, Qt::LeftButton, {}, upper);
    QTest::mouseRelease(s.slider, Qt::LeftButton, {}, upper);
    EXPECT_LT(s.slider->value(), 50);
    ASSERT_FALSE(s.log.empty());
    EXPECT_EQ(s.log.front(), "scroll");
}

TEST(Slider, ScrollSeesTheNewPositionAndComesBeforeTheChange) {
    LoggedSlider s;
    QTest::keyClick(s.slider, Qt::Key_Down);
    EXPECT_EQ(s.log, (std::vector<std::string>{"scroll", "change 51"}));
    EXPECT_EQ(s.scrollpositions, (std::vector<int>{51}));
}

TEST(Slider, ProgramChangesRaiseOnlyTheChangeNotification) {
    LoggedSlider s;
    s.slider->setValue(70);
    s.slider->setValue(70);    // no change, no notification
    s.slider->setRange(0, 60); // the position is clamped into the new range
    EXPECT_EQ(s.slider->value(), 60);
    EXPECT_EQ(s.log, (std::vector<std::string>{"change 70", "change 60"}));
}

TEST(Slider, DraggingTheThumbScrollsAtEveryStep) {
    LoggedSlider s;
    const QPoint start = s.handle().center();
    QTest::mousePress(s.slider, Qt::LeftButton, {}, start);
    for (int dy = 5; dy <= 40; dy += 5) {
        QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(0, dy)),
                         s.slider->mapToGlobal(start + QPoint(0, dy)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(s.slider, &move);
    }
    QTest::mouseRelease(s.slider, Qt::LeftButton, {}, start + QPoint(0, 40));
    EXPECT_GT(s.slider->value(), 50); // dragged down, away from the minimum at the top
    EXPECT_GE(s.scrollpositions.size(), 2u);
    EXPECT_EQ(s.scrollpositions.back(), s.slider->value());
}

TEST(Notifications, TextAndCheckBoxReportTheProgramsOwnChanges) {
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

TEST(Notifications, TextColourIsReadBack) {
    QLineEdit box;
    settextcolour(&box, red);
    EXPECT_EQ(textcolour(&box), red);
    settextcolour(&box, black);
    EXPECT_EQ(textcolour(&box), black);
}

TEST(Keys, EnterAndEscapeHaveTheirCodes) {
    const auto code = [](int key, const QString& text) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        return keycode(&event);
    };
    EXPECT_EQ(code(Qt::Key_Return, QStringLiteral("\r")), 13);
    EXPECT_EQ(code(Qt::Key_Enter, QStringLiteral("\r")), 13);
    EXPECT_EQ(code(Qt::Key_Escape, QStringLiteral("\x1b")), 27);
    EXPECT_EQ(code(Qt::Key_A, QStringLiteral("a")), 'a');
    EXPECT_EQ(code(Qt::Key_Comma, QStringLiteral(",")), ',');
    EXPECT_EQ(code(Qt::Key_Left, QString()), 0);
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

TEST(Copies, AreHiddenAndKeepSizeAndFont) {
    QWidget window;
    auto* box = new QLineEdit(QStringLiteral("0"), &window);
    box->setGeometry(32, 592, 41, 19);
    QFont bold = box->font();
    bold.setBold(true);
    box->setFont(bold);
    auto* label = new QLabel(QStringLiteral("lbName"), &window);
    label->setAlignment(Qt::AlignHCenter);
    label->setGeometry(24, 560, 65, 17);
    window.show();

    QLineEdit* boxcopy = copyof(box);
    QLabel* labelcopy = copyof(label);
    EXPECT_TRUE(boxcopy->isHidden());
    EXPECT_TRUE(labelcopy->isHidden());
    EXPECT_EQ(boxcopy->parentWidget(), &window);
    EXPECT_EQ(boxcopy->geometry(), box->geometry());
    EXPECT_TRUE(boxcopy->font().bold());
    EXPECT_EQ(labelcopy->geometry(), label->geometry());
    EXPECT_EQ(labelcopy->alignment(), label->alignment());
}

TEST(Events, PendingEventsRunInsideAHandler) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    processpending();
    EXPECT_TRUE(ran);
}

// Answers the next modal message box and records what it showed.
struct BoxAnswer {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool canceldefault = false;
    bool found = false;
};

void answernextbox(BoxAnswer& seen, QMessageBox::StandardButton choice) {
    QTimer::singleShot(0, [&seen, choice] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen.found = true;
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        seen.canceldefault = box->defaultButton() == box->button(QMessageBox::Cancel);
        box->button(choice)->click();
    });
}

TEST(Question, ShowsOkAndCancelWithCancelAsDefault) {
    BoxAnswer seen;
    answernextbox(seen, QMessageBox::Ok);
    EXPECT_EQ(askokcancel(nullptr, QStringLiteral("Proceed?"), QStringLiteral("Default")), Answer::OK);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, QStringLiteral("Proceed?"));
    EXPECT_EQ(seen.title, QStringLiteral("Default"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_TRUE(seen.canceldefault);

    BoxAnswer second;
    answernextbox(second, QMessageBox::Cancel);
    EXPECT_EQ(askokcancel(nullptr, QStringLiteral("Proceed?"), QStringLiteral("Default")), Answer::Cancel);
    EXPECT_TRUE(second.found);
}

} // namespace
} // namespace kelvora::toolkit
