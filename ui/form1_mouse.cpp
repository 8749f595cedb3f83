// The mouse on the plot: a drag pans, a double click zooms, a click pins the marker, and the pointer's
// position is read out in Text1 (x, with " mV") and Text2 (y).
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "plot/mouse.h"
#include "ui/form1.h"
#include "ui/plotwidget.h"

namespace kelvora {

namespace {

// Shown over the plot while a button is held on it: the drawing follows the mouse.
constexpr Qt::CursorShape movepointer = Qt::SizeAllCursor;

// Far out a pan can overflow: limits must stay ordered with a finite span, as the configuration
// file requires of them too.
bool usable(double low, double high) {
    return low < high && std::isfinite(high - low);
}

struct Limits {
    double xmin, xmax, ymin, ymax;
};

Limits limitsof(const ModelState& s) {
    return {s.xmin, s.xmax, s.ymin, s.ymax};
}

// Puts back limits a pan has overflowed; returns whether it had to.
bool restoreoverflow(ModelState& s, const Limits& before) {
    if (usable(s.xmin, s.xmax) && usable(s.ymin, s.ymax)) return false;
    s.xmin = before.xmin;
    s.xmax = before.xmax;
    s.ymin = before.ymin;
    s.ymax = before.ymax;
    return true;
}

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

void Form1::Picture1_MouseDown(int16_t button, int16_t /*shift*/, float X, float Y) {
    mousepress(plot, button, X, Y);
    Picture1->setCursor(movepointer);
}

void Form1::Picture1_MouseMove(int16_t /*button*/, int16_t /*shift*/, float X, float Y) {
    // A move that arrives while the previous one still runs (it lets pending events in) is dropped.
    if (plot.movebusy) return;
    plot.movebusy = 1;
    plot.dblclicked = 0;

    if (plot.dragging) {
        // Unchecking runs the toggle's own handler, which switches to manual limits.
        cmdAuto->setChecked(false);
        enablelimitboxes(true);
        plot.pinned = 0;
    }

    if (plot.pinned == 0) {
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
        if (!usable(model.xmin - plot.xshift, model.xmax - plot.xshift) ||
            !usable(model.ymin + plot.yshift, model.ymax + plot.yshift)) {
            plot.xshift = 0.0; // the drawing stays where it is rather than overflow
            plot.yshift = 0.0;
        }
        fastdraw(0);
    }
    plot.movebusy = 0;
}

void Form1::Picture1_MouseUp(int16_t /*button*/, int16_t /*shift*/, float X, float Y) {
    Picture1->unsetCursor();
    const Limits before = limitsof(model);
    const Release release = mouserelease(model, plot, X, Y, sep);
    if (restoreoverflow(model, before)) {
        plot.pinned = 0;
        clearreadout();
    } else if (release.inside) {
        showreadout(Text1, Text2, release.readout);
        // A pinned readout can be selected and copied.
        Text1->setEnabled(release.enabled);
        Text2->setEnabled(release.enabled);
    } else {
        clearreadout();
    }
    fastdraw(0);
}

void Form1::Picture1_DblClick() {
    // Beyond the zoom bounds the limits stay and nothing is redrawn; the release that follows redraws.
    if (mousedoubleclick(model, plot)) fastdraw(0);
}

} // namespace kelvora
