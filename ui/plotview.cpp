#include "ui/plotview.h"

#include <QMouseEvent>
#include <QPainter>

#include "plot/plotstate.h"

namespace kelvora {

PlotView::PlotView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("plotView"));
    // The image covers every pixel, so nothing under it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves are reported with no button held too: the readout follows the pointer.
    setMouseTracking(true);
    // A click or drag takes the focus, so that a panel box with typed text is left, and applied, before
    // the mouse acts on the plot.
    setFocusPolicy(Qt::ClickFocus);
}

double PlotView::scale() const {
    return devicePixelRatioF();
}

QImageSurface& PlotView::surface() {
    const double dpr = scale();
    const int w = devicepixels(width(), dpr);
    const int h = devicepixels(height(), dpr);
    if (!picture || picture->width() != w || picture->height() != h || drawnscale != dpr) {
        picture = std::make_unique<QImageSurface>(w, h, dpr);
        drawnscale = dpr;
    }
    return *picture;
}

void PlotView::paintEvent(QPaintEvent*) {
    const double dpr = scale();
    const bool stale = !picture || drawnscale != dpr || picture->width() != devicepixels(width(), dpr) ||
                       picture->height() != devicepixels(height(), dpr);
    if (stale) emit rescaled();
    QImage image = surface().image();
    // Device pixels of the image to logical pixels of the widget: on a HiDPI screen each is shown as
    // one physical pixel, not blown up.
    image.setDevicePixelRatio(drawnscale);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void PlotView::resizeEvent(QResizeEvent*) {
    emit resized();
}

void PlotView::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button(), event->position());
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
    emit moved(event->position());
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event->position());
}

void PlotView::mouseDoubleClickEvent(QMouseEvent*) {
    // Qt sends press, release, double click, release; the double click stands in for the second press
    // and is reported only as a double click.
    emit doubleClicked();
}

} // namespace kelvora
