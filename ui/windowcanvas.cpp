#include "ui/windowcanvas.h"

#include <QPainter>
#include <algorithm>

namespace kelvora {

namespace {

const QColor framecolour(0, 0, 0);

QRect followed(const QRect& r, WindowCanvas::Anchor how, int dx, int dy) {
    using A = WindowCanvas::Anchor;
    switch (how) {
    case A::grow:
        return r.adjusted(0, 0, dx, dy);
    case A::right:
        return r.translated(dx, 0);
    case A::bottom:
        return r.translated(0, dy);
    case A::underplot:
        return r.translated(dx / 2, dy);
    case A::besideplot:
        return r.translated(0, dy / 2);
    case A::tallplot:
        return r.adjusted(0, 0, 0, dy);
    }
    return r;
}

} // namespace

WindowCanvas::WindowCanvas(QSize designsize, QWidget* parent) : QWidget(parent), design(designsize) {
    setObjectName(QStringLiteral("windowCanvas"));
    setMinimumSize(design);
}

void WindowCanvas::anchor(QWidget* w, Anchor how) {
    placed.push_back({w, w->geometry(), how});
}

void WindowCanvas::addline(QLine line) {
    lines.push_back(line);
}

QSize WindowCanvas::extra() const {
    return {std::max(0, width() - design.width()), std::max(0, height() - design.height())};
}

void WindowCanvas::resizeEvent(QResizeEvent*) {
    const QSize room = extra();
    for (const Placed& p : placed)
        p.widget->setGeometry(followed(p.designed, p.how, room.width(), room.height()));
}

void WindowCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(framecolour);
    const int dx = extra().width();
    for (const QLine& l : lines)
        painter.drawLine(l.translated(dx, 0));
}

} // namespace kelvora
