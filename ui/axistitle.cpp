#include "ui/axistitle.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace kelvora {

namespace {
// The titles are set in a plain sans-serif face; the font size only sets the drawing's proportions,
// because the text is stretched to its frame.
constexpr const char* titlefamily = "Arial";
constexpr int titlepixelsize = 64;
// The antialiased edge of a glyph reaches about half a screen pixel beyond its outline: this much room is
// kept free across the frame on either side of a title set to fit, so that no edge is cut off.
constexpr double edgepixels = 0.5;

// Length of a frame along the text, and its breadth across it.
double along(const QWidget* w, bool upward) {
    return upward ? w->height() : w->width();
}
double across(const QWidget* w, bool upward) {
    return upward ? w->width() : w->height();
}
} // namespace

AxisTitle::AxisTitle(const QString& text, bool upward, QWidget* parent)
    : QWidget(parent), title(text), upward(upward) {
    QFont font(titlefamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(titlepixelsize);
    // The outlines scaled exactly, so that the measured box holds what is drawn at any frame size.
    font.setHintingPreference(QFont::PreferNoHinting);
    setFont(font);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void AxisTitle::settext(const QString& text) {
    if (text == title) return;
    title = text;
    update();
}

void AxisTitle::setlettersof(const AxisTitle* model) {
    letters = model;
    update();
}

void AxisTitle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);

    const QFontMetricsF metrics(font());
    const QRectF box = metrics.tightBoundingRect(title);
    if (box.isEmpty()) return;

    // Lying along the frame, the text runs across its long side: for the upward title that is the height.
    if (upward) {
        painter.translate(0, height());
        painter.rotate(-90.0);
    }
    if (!letters) {
        painter.scale(along(this, upward) / box.width(), across(this, upward) / box.height());
        painter.drawText(QPointF(-box.left(), -box.top()), title);
        return;
    }

    // The model's scale, and where its text stands, in this frame's turned coordinates: the distance
    // along the text from the frame's start and the offset across it.
    const QRectF modelbox = QFontMetricsF(letters->font()).tightBoundingRect(letters->text());
    if (modelbox.isEmpty()) return;
    double scalealong = along(letters, upward) / modelbox.width();
    double scaleacross = across(letters, upward) / modelbox.height();
    // A title that reaches beyond the model's letters across the line (the tail of a g or a p, a
    // parenthesis) is set a little smaller, in the same proportions, so that all of it lies inside the
    // frame; its top then stands at the frame's start.
    const double breadth = across(this, upward);
    const double room = std::max(breadth - 2.0 * edgepixels, 1.0);
    const double top = std::min(box.top(), modelbox.top());
    const double reach = std::max(box.bottom(), modelbox.bottom()) - top;
    const bool beyond = box.top() < modelbox.top() || box.bottom() > modelbox.bottom();
    const double fits = beyond ? std::min(1.0, room / (reach * scaleacross)) : 1.0;
    scalealong *= fits;
    scaleacross *= fits;
    const QPoint offset = letters->pos() - pos();
    const double centre =
        upward ? height() - (offset.y() + letters->height() / 2.0) : offset.x() + letters->width() / 2.0;
    const double side = upward ? offset.x() : offset.y();
    const double start = fits < 1.0 ? (breadth - room) / 2.0 : 0.0;
    painter.translate(centre - box.width() * scalealong / 2.0, side + start);
    painter.scale(scalealong, scaleacross);
    painter.drawText(QPointF(-box.left(), fits < 1.0 ? -top : -modelbox.top()), title);
}

} // namespace kelvora
