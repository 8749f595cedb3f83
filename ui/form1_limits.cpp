// The axis limits: the automatic toggle, the four typed limits and the Set button that applies them.
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "model/parsenumber.h"
#include "plot/mouse.h"
#include "ui/form1.h"

namespace kelvora {

namespace {

const QString automaticon = QStringLiteral("Automatic on");
const QString automaticoff = QStringLiteral("Automatic off");
// The toggle's caption is green while the limits follow the model.
const QColor automaticcolour(0, 180, 0);
const QColor manualcolour(0, 0, 0);

double boxnumber(const QLineEdit* box) {
    return parsenumber(box->text().toStdString());
}

void setcaptioncolour(QPushButton* button, const QColor& colour) {
    QPalette pal = button->palette();
    pal.setColor(QPalette::ButtonText, colour);
    button->setPalette(pal);
}

} // namespace

void Form1::enablelimitboxes(bool enabled) {
    cmdSet->setEnabled(enabled);
    tbxmin->setEnabled(enabled);
    tbxmax->setEnabled(enabled);
    tbymin->setEnabled(enabled);
    tbymax->setEnabled(enabled);
}

void Form1::cmdAuto_Click() {
    // Runs after the state changed, for the user's click and for the program's own unchecking alike.
    if (cmdAuto->isChecked()) {
        fastdraw(true);
        enablelimitboxes(false);
        cmdAuto->setText(automaticon);
        setcaptioncolour(cmdAuto, automaticcolour);
    } else {
        enablelimitboxes(true);
        cmdAuto->setText(automaticoff);
        setcaptioncolour(cmdAuto, manualcolour);
    }
}

void Form1::checklimits() {
    cmdSet->setEnabled(
        limitsvalid(boxnumber(tbxmin), boxnumber(tbxmax), boxnumber(tbymin), boxnumber(tbymax)));
}

void Form1::cmdSet_Click() {
    const double newxmin = boxnumber(tbxmin);
    const double newxmax = boxnumber(tbxmax);
    const double newymin = boxnumber(tbymin);
    const double newymax = boxnumber(tbymax);
    // The button may have been enabled by boxes the program wrote; what stands there now decides.
    if (!limitsvalid(newxmin, newxmax, newymin, newymax)) {
        cmdSet->setEnabled(false);
        return;
    }
    model.ymin = newymin;
    model.xmin = newxmin;
    model.ymax = newymax;
    model.xmax = newxmax;
    plot.pinned = false;
    clearreadout();
    fastdraw(false);
}

// The boxes' change notifications fire for the redraw's own writing too; only a user's edit is checked.
void Form1::tbxmin_Change() {
    if (!plot.settingboxes) checklimits();
}

void Form1::tbxmax_Change() {
    if (!plot.settingboxes) checklimits();
}

void Form1::tbymin_Change() {
    if (!plot.settingboxes) checklimits();
}

void Form1::tbymax_Change() {
    if (!plot.settingboxes) checklimits();
}

} // namespace kelvora
