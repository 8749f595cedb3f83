// Typed values and ranges: Enter applies, Escape restores the stored number, leaving the box applies
// too; corrected entries turn red. Leaving the box is also how typed text is applied before any other
// action: the plot, the buttons, the check boxes and the sliders all take the focus before they act.
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>
#include <algorithm>

#include "model/entry.h"
#include "model/numtext.h"
#include "ui/form1.h"

namespace kelvora {

namespace {

constexpr int16_t enterkey = 13;
constexpr int16_t escapekey = 27;

enum PanelBoxKind { nobox, valuebox, minimumbox, maximumbox };

std::string boxstring(const QLineEdit* box) {
    return box->text().toStdString();
}

} // namespace

void Form1::connectpanel(int index) {
    const auto i = static_cast<int16_t>(index);
    toolkit::onscroll(Slider[index], [this, i] { Slider_Scroll(i); });
    toolkit::onchange(Slider[index], [this, i] { Slider_Change(i); });
    toolkit::onchange(tbValue[index], [this, i] { tbValue_Change(i); });
    tbValue[index]->installEventFilter(this);
    tbMin[index]->installEventFilter(this);
    tbMax[index]->installEventFilter(this);
}

std::pair<int, int16_t> Form1::panelbox(const QObject* watched) const {
    const auto find = [watched](const auto& boxes) -> int {
        const auto it = std::find(boxes.begin(), boxes.end(), watched);
        return it == boxes.end() ? -1 : static_cast<int>(it - boxes.begin());
    };
    if (const int i = find(tbValue); i >= 0) return {valuebox, static_cast<int16_t>(i)};
    if (const int i = find(tbMin); i >= 0) return {minimumbox, static_cast<int16_t>(i)};
    if (const int i = find(tbMax); i >= 0) return {maximumbox, static_cast<int16_t>(i)};
    return {nobox, 0};
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        // Qt presses a button for its access key without moving the focus. Moving it first leaves a panel
        // box with typed text, which applies that text before the button acts, as a click would.
        auto* target = static_cast<QWidget*>(watched);
        if (target->isEnabled() && target->focusPolicy() != Qt::NoFocus)
            target->setFocus(Qt::ShortcutFocusReason);
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::FocusOut)
        return QWidget::eventFilter(watched, event);
    const auto [kind, index] = panelbox(watched);
    if (kind == nobox) return QWidget::eventFilter(watched, event);

    if (event->type() == QEvent::FocusOut) {
        // Leaving the box for another control applies it; the window losing the focus to another program
        // or to the box's own context menu does not, as the focus comes back to the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
        if (kind == valuebox)
            tbValue_Validate(index);
        else if (kind == minimumbox)
            tbMin_Validate(index);
        else
            tbMax_Validate(index);
        return false;
    }

    int16_t key = static_cast<int16_t>(toolkit::keycode(static_cast<QKeyEvent*>(event)));
    if (key == 0) return false; // keys that type no character (arrows, Home) only move the cursor
    const int16_t pressed = key;
    if (kind == valuebox)
        tbValue_KeyPress(index, key);
    else if (kind == minimumbox)
        tbMin_KeyPress(index, key);
    else
        tbMax_KeyPress(index, key);
    // Enter and Escape are the window's; a key the handler cleared is swallowed.
    return key == 0 || pressed == enterkey || pressed == escapekey;
}

void Form1::tbValue_KeyPress(int16_t index, int16_t& keyascii) {
    if (keyascii == enterkey)
        applyvalue(index, 1);
    else if (keyascii == escapekey)
        tbValue[index]->setText(QString::fromStdString(singletext(model.params[index].value, sep)));
}

void Form1::tbValue_Validate(int16_t index) {
    applyvalue(index, 1);
}

void Form1::tbValue_Change(int16_t index) {
    if (!applying) toolkit::settextcolour(tbValue[index], toolkit::black);
}

void Form1::tbMin_KeyPress(int16_t index, int16_t& keyascii) {
    if (keyascii == enterkey)
        applyminimum(index);
    else if (keyascii == escapekey)
        tbMin[index]->setText(QString::fromStdString(shorttext(model.params[index].min, sep)));
}

void Form1::tbMin_Validate(int16_t index) {
    applyminimum(index);
}

void Form1::tbMax_KeyPress(int16_t index, int16_t& keyascii) {
    if (keyascii == enterkey)
        applymaximum(index);
    else if (keyascii == escapekey)
        tbMax[index]->setText(QString::fromStdString(shorttext(model.params[index].max, sep)));
}

void Form1::tbMax_Validate(int16_t index) {
    applymaximum(index);
}

void Form1::applyvalue(int16_t index, int16_t fromtext) {
    applying = 1;
    const RedMarks marks = kelvora::applyvalue(model, index, fromtext,
                                               fromtext == 1 ? boxstring(tbValue[index]) : std::string());
    if (marks.value) toolkit::settextcolour(tbValue[index], toolkit::red);
    if (fromtext == 1) {
        setsliders();
        textrefresh();
        fastdraw(true);
    }
    applying = 0;
}

// The model's range entries also move every value onto its slider's grid; the sliders and boxes then
// show the new ranges and the moved values.
void Form1::applyminimum(int16_t index) {
    applying = 1;
    const RedMarks marks = kelvora::applyminimum(model, index, boxstring(tbMin[index]));
    if (marks.min) toolkit::settextcolour(tbMin[index], toolkit::red);
    if (marks.max) toolkit::settextcolour(tbMax[index], toolkit::red);
    setsliders();
    textrefresh();
    fastdraw(true);
    applying = 0;
}

void Form1::applymaximum(int16_t index) {
    applying = 1;
    const RedMarks marks = kelvora::applymaximum(model, index, boxstring(tbMax[index]));
    if (marks.max) toolkit::settextcolour(tbMax[index], toolkit::red);
    if (marks.min) toolkit::settextcolour(tbMin[index], toolkit::red);
    setsliders();
    textrefresh();
    fastdraw(true);
    applying = 0;
}

} // namespace kelvora
