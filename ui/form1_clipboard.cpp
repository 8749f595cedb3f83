// "Copy to clipboard": the plotted rows and the parameters as a tab-separated table, with the decimal
// separator that "use Point" or "use Comma" chooses.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>

#include "model/cliptable.h"
#include "ui/form1.h"

namespace kelvora {

void Form1::cmdClipboard_Click() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    // In the middle of a mouse move the limits may be half way through a pan: nothing is copied then.
    if (plot.movebusy) return;
    const SeparatorChoice choice = cbDot->isChecked()     ? SeparatorChoice::point
                                   : cbComma->isChecked() ? SeparatorChoice::comma
                                                          : SeparatorChoice::system;
    clipboard->setText(QString::fromStdString(cliptable(model, plot.plotheight, choice, sep)));
}

// At most one of the two separators is chosen; both may be left unchecked.
void Form1::cbComma_Click() {
    if (cbComma->isChecked()) cbDot->setChecked(false);
}

void Form1::cbDot_Click() {
    if (cbDot->isChecked()) cbComma->setChecked(false);
}

} // namespace kelvora
