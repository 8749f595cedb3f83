#include "ui/axistitle.h"

#include <QFontMetricsF>
#include <QPainter>

namespace kelvora {

namespace {
// The titles are set in a plain sans-serif face; the font size only sets the drawing's proportions,
// because the text is stretched to its frame.
constexpr const char* titlefamily = "Arial";
constexpr int titlepixelsize = 64;
} // namespace

AxisTitle::AxisTitle(const QString& text, bool upward, QWidget* parent)
    : QWidget(parent), title(text), upward(upward) {
    QFont font(titlefamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(titlepixelsize);
    setFont(font);
    setAttribute(Qt::WA_TransparentForMouseEvents);
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
    const double along = upward ? height() : width();
    const double across = upward ? width() : height();
    if (upward) {
        painter.translate(0, height());
        painter.rotate(-90.0);
    }
    painter.scale(along / box.width(), across / box.height());
    painter.drawText(QPointF(-box.left(), -box.top()), title);
}

} // namespace kelvora
