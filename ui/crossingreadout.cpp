#include "ui/crossingreadout.h"

#include <QLabel>
#include <QLineEdit>

#include "model/crossingtext.h"
#include "ui/toolkit.h"

namespace kelvora {

namespace {

// The readout's corner in the window, in twips: under the y-axis choice, beside the plot.
constexpr int readoutleft = 8760;
constexpr int readouttop = 4680;
constexpr int readoutwidth = 6420; // to two pixels short of the window edge
constexpr int readoutheight = 288;

} // namespace

CrossingReadout::CrossingReadout(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("crossingReadout"));
    toolkit::place(this, readoutleft, readouttop, readoutwidth, readoutheight);
    toolkit::place(new QLabel(QStringLiteral("Crossing"), this), 0, 30, 732, 252);
    text = new QLineEdit(this);
    text->setObjectName(QStringLiteral("crossing"));
    text->setAccessibleName(QStringLiteral("Crossing point"));
    // Read-only rather than disabled: the text can be selected and copied, and Tab reaches it.
    text->setReadOnly(true);
    toolkit::place(text, 9600 - readoutleft, 0, readoutwidth - (9600 - readoutleft), readoutheight);
}

void CrossingReadout::showcrossing(const ModelState& s, char decimalsep) {
    const QString shown = QString::fromStdString(crossingtext(s, decimalsep));
    // An unchanged text keeps the user's selection.
    if (text->text() == shown) return;
    text->setText(shown);
    text->setCursorPosition(0);
}

} // namespace kelvora
