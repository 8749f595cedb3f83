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

bool isenter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

std::string boxstring(const QLineEdit* box) {
    return box->text().toStdString();
}

} // namespace

void Form1::connectpanel(int index) {
    const int i = index;
    toolkit::onscroll(Slider[index], [this, i] { Slider_Scroll(i); });
    toolkit::onchange(Slider[index], [this, i] { Slider_Change(i); });
    toolkit::onchange(tbValue[index], [this, i] { tbValue_Change(i); });
    tbValue[index]->installEventFilter(this);
    tbMin[index]->installEventFilter(this);
    tbMax[index]->installEventFilter(this);
}

std::pair<Form1::PanelBox, int> Form1::panelbox(const QObject* watched) const {
    const auto find = [watched](const auto& boxes) -> int {
        const auto it = std::find(boxes.begin(), boxes.end(), watched);
        return it == boxes.end() ? -1 : static_cast<int>(it - boxes.begin());
    };
    if (const int i = find(tbValue); i >= 0) return {PanelBox::value, i};
    if (const int i = find(tbMin); i >= 0) return {PanelBox::minimum, i};
    if (const int i = find(tbMax); i >= 0) return {PanelBox::maximum, i};
    return {PanelBox::none, 0};
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
    if (kind == PanelBox::none) return QWidget::eventFilter(watched, event);

    if (event->type() == QEvent::FocusOut) {
        // Leaving the box for another control applies it; the window losing the focus to another program
        // or to the box's own context menu does not, as the focus comes back to the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
        if (kind == PanelBox::value)
            tbValue_Validate(index);
        else if (kind == PanelBox::minimum)
            tbMin_Validate(index);
        else
            tbMax_Validate(index);
        return false;
    }

    const int key = static_cast<QKeyEvent*>(event)->key();
    if (kind == PanelBox::value)
        tbValue_KeyPress(index, key);
    else if (kind == PanelBox::minimum)
        tbMin_KeyPress(index, key);
    else
        tbMax_KeyPress(index, key);
    // Enter and Escape are the window's; every other key goes on to the box.
    return isenter(key) || key == Qt::Key_Escape;
}

void Form1::tbValue_KeyPress(int index, int key) {
    if (isenter(key))
        applyvalue(index, true);
    else if (key == Qt::Key_Escape)
        tbValue[index]->setText(QString::fromStdString(singletext(model.params[index].value, sep)));
}

void Form1::tbValue_Validate(int index) {
    applyvalue(index, true);
}

void Form1::tbValue_Change(int index) {
    if (!applying) toolkit::settextcolour(tbValue[index], toolkit::black);
}

void Form1::tbMin_KeyPress(int index, int key) {
    if (isenter(key))
        applyminimum(index);
    else if (key == Qt::Key_Escape)
        tbMin[index]->setText(QString::fromStdString(shorttext(model.params[index].min, sep)));
}

void Form1::tbMin_Validate(int index) {
    applyminimum(index);
}

void Form1::tbMax_KeyPress(int index, int key) {
    if (isenter(key))
        applymaximum(index);
    else if (key == Qt::Key_Escape)
        tbMax[index]->setText(QString::fromStdString(shorttext(model.params[index].max, sep)));
}

void Form1::tbMax_Validate(int index) {
    applymaximum(index);
}

void Form1::applyvalue(int index, bool fromtext) {
    applying = true;
    const RedMarks marks =
        fromtext ? entervalue(model, index, boxstring(tbValue[index])) : checkvalue(model, index);
    if (marks.value) toolkit::settextcolour(tbValue[index], toolkit::red);
    if (fromtext) {
        setsliders();
        textrefresh();
        fastdraw(true);
    }
    applying = false;
}

void Form1::applyminimum(int index) {
    applying = true;
    showrange(index, enterminimum(model, index, boxstring(tbMin[index])));
    applying = false;
}

void Form1::applymaximum(int index) {
    applying = true;
    showrange(index, entermaximum(model, index, boxstring(tbMax[index])));
    applying = false;
}

// The model's range entries also move every value onto its slider's grid; the sliders and boxes then
// show the new ranges and the moved values.
void Form1::showrange(int index, const RedMarks& marks) {
    if (marks.min) toolkit::settextcolour(tbMin[index], toolkit::red);
    if (marks.max) toolkit::settextcolour(tbMax[index], toolkit::red);
    setsliders();
    textrefresh();
    fastdraw(true);
}

} // namespace kelvora
