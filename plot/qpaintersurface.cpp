#include "plot/qpaintersurface.h"

#include "plot/qimagesurface.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QString>

#include <algorithm>

namespace kelvora {
namespace {

QFont vectorfont(double scale) {
    QFont font = plotfont(scale);
    // The outlines as designed: a scalable figure is not tied to any one pixel grid.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QColor qcolour(Colour c) {
    return QColor(c.r, c.g, c.b);
}

QString qtext(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPolygonF qpolygon(const std::vector<Point>& points) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& p : points)
        polygon.append(QPointF(p.x, p.y));
    return polygon;
}

} // namespace

QPainterSurface::QPainterSurface(QPainter* painter, int width, int height, double scale)
    : painter_(painter), font_(vectorfont(scale)), metrics_(font_), w_(std::max(width, 0)),
      h_(std::max(height, 0)) {
    if (painter_) {
        painter_->setFont(font_);
        base_ = painter_->transform();
    }
}

void QPainterSurface::setorigin(double x, double y) {
    if (painter_) painter_->setTransform(QTransform::fromTranslate(x, y) * base_);
}

void QPainterSurface::fillrect(int x, int y, int w, int h, Colour c) {
    if (!painter_ || w <= 0 || h <= 0) return;
    painter_->fillRect(QRectF(x, y, w, h), qcolour(c));
}

void QPainterSurface::pset(int x, int y, Colour c) {
    fillrect(x, y, 1, 1, c);
}

void QPainterSurface::line(int x1, int y1, int x2, int y2, Colour c) {
    if (!painter_ || (x1 == x2 && y1 == y2)) return;
    // The pixels from the first point up to, not including, the last.
    if (y1 == y2) {
        fillrect(x1 < x2 ? x1 : x2 + 1, y1, std::abs(x2 - x1), 1, c);
        return;
    }
    if (x1 == x2) {
        fillrect(x1, y1 < y2 ? y1 : y2 + 1, 1, std::abs(y2 - y1), c);
        return;
    }
    // Through the pixel centres, cut square at both centres.
    QPen pen(qcolour(c), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter_->setPen(pen);
    painter_->drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
}

void QPainterSurface::polygon(const std::vector<Point>& points, Colour c) {
    if (!painter_ || points.size() < 3) return;
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(qcolour(c));
    painter_->drawPolygon(qpolygon(points), Qt::WindingFill);
}

void QPainterSurface::polyline(const std::vector<Point>& points, double width, Colour c) {
    if (!painter_ || points.size() < 2) return;
    painter_->setPen(QPen(qcolour(c), width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawPolyline(qpolygon(points));
}

double QPainterSurface::textwidth(const std::string& text) const {
    return metrics_.horizontalAdvance(qtext(text));
}

double QPainterSurface::textheight(const std::string&) const {
    return metrics_.height();
}

void QPainterSurface::text(double x, double y, const std::string& text) {
    // Placed by a transform of its own, so that a drawing keeps each text in one group of its own even
    // where it splits the text into runs of one script each: an editor moves the text whole.
    painter_->save();
    painter_->translate(x, y + metrics_.ascent());
    painter_->setPen(qcolour(textcolour_));
    painter_->drawText(QPointF(0.0, 0.0), qtext(text));
    painter_->restore();
}

void QPainterSurface::print(int x, int y, const std::string& text) {
    if (painter_) this->text(x, y, text);
}

void QPainterSurface::printupward(double x, double y, const std::string& text) {
    if (!painter_) return;
    // Turned about the bottom-left corner of the turned box, where the text starts.
    painter_->save();
    painter_->translate(x, y + textwidth(text));
    painter_->rotate(-90.0);
    this->text(0.0, 0.0, text);
    painter_->restore();
}

} // namespace kelvora
