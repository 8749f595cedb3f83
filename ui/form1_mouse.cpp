// The mouse on the plot: a drag pans, a double click zooms, a click pins the marker, and the pointer's
// position is read out in Text1 (x, with " mV") and Text2 (y).
#include <QLineEdit>
#include <QPushButton>

#include "plot/mouse.h"
#include "ui/form1.h"
#include "ui/plotwidget.h"

namespace kelvora {

namespace {

// Shown over the plot while a button is held on it: the drawing follows the mouse.
constexpr Qt::CursorShape movepointer = Qt::SizeAllCursor;

void showreadout(QLineEdit* xbox, QLineEdit* ybox, const Readout& readout) {
    xbox->setText(QString::fromStdString(readout.x));
    ybox->setText(QString::fromStdString(readout.y));
}

} // namespace

void Form1::clearreadout() {
    Text1->setEnabled(false);
    Text1->clear();
    Text2->setEnabled(false);
    Text2->clear();
}

void Form1::Picture1_MouseDown(Qt::MouseButtons button, Qt::KeyboardModifiers /*shift*/, float X, float Y) {
    const MouseButton pressed = (button & Qt::LeftButton)    ? MouseButton::left
                                : (button & Qt::RightButton) ? MouseButton::right
                                                             : MouseButton::middle;
    mousepress(plot, pressed, X, Y);
    Picture1->setCursor(movepointer);
}

void Form1::Picture1_MouseMove(Qt::MouseButtons /*button*/, Qt::KeyboardModifiers /*shift*/, float X,
                               float Y) {
    // A move that arrives while the previous one still runs (it lets pending events in) is dropped.
    if (plot.movebusy) return;
    plot.movebusy = true;
    plot.dblclicked = false;

    if (plot.dragging) {
        // Unchecking runs the toggle's own handler, which switches to manual limits.
        cmdAuto->setChecked(false);
        enablelimitboxes(true);
        plot.pinned = false;
    }

    if (!plot.pinned) {
        if (!plot.dragging && insidelimits(model, plot, X, Y)) {
            Text1->setEnabled(false);
            Text2->setEnabled(false);
            showreadout(Text1, Text2, readoutat(model, plot, X, Y, sep));
        } else {
            clearreadout();
        }
    }

    // Let the waiting events run before the redraw: paints, a click, the release, which may end the drag
    // in here (then nothing is left to redraw). Further moves among them are dropped by movebusy.
    toolkit::processpending();

    if (plot.dragging) {
        dragoffsets(model, plot, X, Y);
        fastdraw(false);
    }
    plot.movebusy = false;
}

void Form1::Picture1_MouseUp(Qt::MouseButtons /*button*/, Qt::KeyboardModifiers /*shift*/, float X, float Y) {
    Picture1->unsetCursor();
    const Release release = mouserelease(model, plot, X, Y, sep);
    if (release.inside) {
        showreadout(Text1, Text2, release.readout);
        // A pinned readout can be selected and copied.
        Text1->setEnabled(release.enabled);
        Text2->setEnabled(release.enabled);
    } else {
        clearreadout();
    }
    fastdraw(false);
}

void Form1::Picture1_DblClick() {
    // Beyond the zoom bounds the limits stay and nothing is redrawn; the release that follows redraws.
    if (mousedoubleclick(model, plot)) fastdraw(false);
}

} // namespace kelvora
