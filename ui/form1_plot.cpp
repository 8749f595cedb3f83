// The redraw of the plot surface and the axis boxes it fills.
#include <QLineEdit>
#include <QPushButton>

#include "plot/fastdraw.h"
#include "ui/form1.h"
#include "ui/plotwidget.h"

namespace kelvora {

void Form1::fastdraw(bool autoflag) {
    // The plot is drawn at the density of the screen it is on; its geometry stays in logical pixels.
    plot.scale = Picture1->scale();
    const FastdrawResult result =
        drawplot(autoflag, cmdAuto->isChecked(), model, plot, Picture1->surface(), sep);
    if (result.clearreadout) clearreadout();
    // The boxes' change handlers leave the program's own writing alone.
    plot.settingboxes = true;
    tbymin->setText(QString::fromStdString(result.tbymin));
    tbymax->setText(QString::fromStdString(result.tbymax));
    tbxmin->setText(QString::fromStdString(result.tbxmin));
    tbxmax->setText(QString::fromStdString(result.tbxmax));
    plot.settingboxes = false;
    // The boxes now show the limits in use, which are valid: Set must not stay disabled by an earlier
    // invalid entry that the redraw has just replaced. While the limits are automatic it stays off.
    if (!cmdAuto->isChecked()) checklimits();
    Picture1->update();
}

} // namespace kelvora
