#include "ui/toolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProxyStyle>
#include <QSlider>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QStylePainter>
#include <cmath>

#include "model/rounding.h"

namespace kelvora::toolkit {

int pixels(double twips) {
    return roundeven32(twips / twipsperpixel);
}

void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
}

float lefttwips(const QWidget* w) {
    return static_cast<float>(w->x() * twipsperpixel);
}

void setlefttwips(QWidget* w, float twips) {
    w->move(pixels(twips), w->y());
}

void settextcolour(QLineEdit* box, const QColor& colour) {
    QPalette palette = box->palette();
    if (palette.color(QPalette::Text) == colour) return;
    palette.setColor(QPalette::Text, colour);
    box->setPalette(palette);
}

QColor textcolour(const QLineEdit* box) {
    return box->palette().color(QPalette::Text);
}

void legiblewhendisabled(QLineEdit* box) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
    box->setPalette(palette);
}

void fitindicator(QCheckBox* box) {
    const int side = box->height();
    const int width = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box);
    const int height = box->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, box);
    if (height <= side) return;
    // A square of the box's height, at the top left as before; the caption keeps its place.
    box->setStyleSheet(QStringLiteral("QCheckBox::indicator { width: %1px; height: %2px; }")
                           .arg(qMin(width, side))
                           .arg(side));
}

WrapButton::WrapButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void WrapButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect textbox = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(textbox, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(),
                         isEnabled(), text(), QPalette::ButtonText);
}

void onchange(QLineEdit* box, std::function<void()> handler) {
    // textChanged, unlike textEdited, also reports setText by the program.
    QObject::connect(box, &QLineEdit::textChanged, box, [h = std::move(handler)](const QString&) { h(); });
}

void onclick(QAbstractButton* checkbox, std::function<void()> handler) {
    // toggled, unlike clicked, also reports setChecked by the program, and only when the state changes.
    QObject::connect(checkbox, &QAbstractButton::toggled, checkbox, [h = std::move(handler)](bool) { h(); });
}

void onchange(QSlider* slider, std::function<void()> handler) {
    QObject::connect(slider, &QAbstractSlider::valueChanged, slider, [h = std::move(handler)](int) { h(); });
}

void onscroll(QSlider* slider, std::function<void()> handler) {
    // Every user move of the slider is an action: dragging the thumb (with tracking on, each step of the
    // drag is a SliderMove action), clicks on the track, keys and the wheel. When the action is reported
    // the slider position already holds the new place; the value, and with it the change notification,
    // follows as soon as the handler returns. Program calls of setValue trigger no action.
    QObject::connect(slider, &QAbstractSlider::actionTriggered, slider, [h = std::move(handler)](int action) {
        if (action != QAbstractSlider::SliderNoAction) h();
    });
}

namespace {

// Draws a slider whose minimum is at the top with its groove coloured from the bottom end up to the
// thumb. The style colours the groove from the minimum's end, so the groove is drawn as for the mirrored
// slider (minimum at the bottom, the position mirrored, which leaves the thumb where it is); tick marks
// and thumb are drawn as they are.
class BottomUpSliderStyle : public QProxyStyle {
  public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override {
        const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
        if (control != CC_Slider || !slider || slider->orientation != Qt::Vertical || slider->upsideDown ||
            !(slider->subControls & SC_SliderGroove)) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        QStyleOptionSlider groove = *slider;
        groove.subControls = SC_SliderGroove;
        groove.upsideDown = true;
        groove.sliderPosition = slider->minimum + slider->maximum - slider->sliderPosition;
        groove.sliderValue = slider->minimum + slider->maximum - slider->sliderValue;
        QProxyStyle::drawComplexControl(control, &groove, painter, widget);
        QStyleOptionSlider rest = *slider;
        rest.subControls &= ~SC_SliderGroove;
        QProxyStyle::drawComplexControl(control, &rest, painter, widget);
    }
};

// One style for all sliders, made on first use and ended with the application.
QStyle* sliderstyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new BottomUpSliderStyle;
        style->setParent(QApplication::instance());
    }
    return style;
}

} // namespace

QSlider* verticalslider(QWidget* parent) {
    auto* slider = new QSlider(parent);
    makevertical(slider);
    return slider;
}

void makevertical(QSlider* slider) {
    slider->setOrientation(Qt::Vertical);
    // Qt puts a vertical slider's minimum at the bottom; turn it over so the minimum is at the top, and
    // turn the keys and wheel over with it so that "up" still moves the thumb up.
    slider->setInvertedAppearance(true);
    slider->setInvertedControls(true);
    slider->setTracking(true);
    slider->setTickPosition(QSlider::TicksRight);
    // The wheel takes the focus as a click does: a box left with typed text is applied before the move.
    slider->setFocusPolicy(Qt::WheelFocus);
    slider->setStyle(sliderstyle());
}

int position(const QSlider* slider) {
    return slider->sliderPosition();
}

Answer askokcancel(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok ? Answer::OK : Answer::Cancel;
}

SaveAnswer askretry(QWidget* parent, const QString& text, const QString& title, const QString& discard) {
    QMessageBox box(QMessageBox::Warning, title, text,
                    QMessageBox::Retry | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Discard)->setText(discard);
    box.setDefaultButton(QMessageBox::Retry);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Retry:
        return SaveAnswer::Retry;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

SaveAnswer askoverwrite(QWidget* parent, const QString& text, const QString& title, const QString& discard) {
    QMessageBox box(QMessageBox::Warning, title, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Save)->setText(QStringLiteral("&Overwrite"));
    box.button(QMessageBox::Discard)->setText(discard);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveAnswer::Overwrite;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

} // namespace kelvora::toolkit
