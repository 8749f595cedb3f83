#include "ui/mousereadout.h"

#include <QLabel>
#include <QLineEdit>

#include "ui/toolkit.h"

namespace kelvora {

namespace {

// The readout's corner in the window, in twips; its controls stand at their window positions less this.
constexpr int readoutleft = 11400;
constexpr int readouttop = 960;
constexpr int readoutwidth = 2760;
constexpr int readoutheight = 1920;

template <typename Control>
Control* placed(QWidget* box, const QString& text, int left, int top, int width, int height) {
    auto* control = new Control(text, box);
    toolkit::place(control, left - readoutleft, top - readouttop, width, height);
    return control;
}

} // namespace

MouseReadout::MouseReadout(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("mouseReadout"));
    toolkit::place(this, readoutleft, readouttop, readoutwidth, readoutheight);
    // Captions: Label3, Label1, Label2 in the design.
    placed<QLabel>(this, QStringLiteral("Mouse position:"), 11640, 1200, 1812, 372);
    placed<QLabel>(this, QStringLiteral("X"), 11880, 1800, 372, 252);
    xBox = placed<QLineEdit>(this, QString(), 12120, 1800, 1215, 288);
    xBox->setObjectName(QStringLiteral("readoutX"));
    xBox->setAccessibleName(QStringLiteral("Mouse position X"));
    placed<QLabel>(this, QStringLiteral("Y"), 11880, 2280, 372, 252);
    yBox = placed<QLineEdit>(this, QString(), 12120, 2280, 1215, 288);
    yBox->setObjectName(QStringLiteral("readoutY"));
    yBox->setAccessibleName(QStringLiteral("Mouse position Y"));
    // The boxes are disabled most of the time, yet they are there to be read.
    toolkit::legiblewhendisabled(xBox);
    toolkit::legiblewhendisabled(yBox);
}

void MouseReadout::showreadout(const Readout& readout, bool selectable) {
    xBox->setText(QString::fromStdString(readout.x));
    yBox->setText(QString::fromStdString(readout.y));
    xBox->setEnabled(selectable);
    yBox->setEnabled(selectable);
}

void MouseReadout::clear() {
    xBox->setEnabled(false);
    xBox->clear();
    yBox->setEnabled(false);
    yBox->clear();
}

} // namespace kelvora
