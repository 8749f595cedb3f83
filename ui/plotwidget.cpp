#include "ui/plotwidget.h"

#include <QMouseEvent>
#include <QPainter>

#include "plot/plotstate.h"

namespace kelvora {

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) {
    // The image covers every pixel, so nothing under it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves are reported with no button held too: the readout follows the pointer.
    setMouseTracking(true);
    // A click or drag takes the focus, so that a panel box with typed text is left, and applied, before
    // the mouse acts on the plot.
    setFocusPolicy(Qt::ClickFocus);
}

double PlotWidget::scale() const {
    return devicePixelRatioF();
}

QImageSurface& PlotWidget::surface() {
    const double dpr = scale();
    const int w = devicepixels(width(), dpr);
    const int h = devicepixels(height(), dpr);
    if (!picture || picture->width() != w || picture->height() != h || drawnscale != dpr) {
        picture = std::make_unique<QImageSurface>(w, h, dpr);
        drawnscale = dpr;
    }
    return *picture;
}

void PlotWidget::paintEvent(QPaintEvent*) {
    // Moved to a screen of another density: draw anew at that density before showing anything.
    if (drawnscale != scale() && onrescale) onrescale();
    QImage image = surface().image();
    // Device pixels of the image to logical pixels of the widget: on a HiDPI screen each is shown as
    // one physical pixel, not blown up.
    image.setDevicePixelRatio(drawnscale);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void PlotWidget::mousePressEvent(QMouseEvent* event) {
    if (onmousedown)
        onmousedown(event->button(), event->modifiers(), static_cast<float>(event->position().x()),
                    static_cast<float>(event->position().y()));
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
    if (onmousemove)
        onmousemove(event->buttons(), event->modifiers(), static_cast<float>(event->position().x()),
                    static_cast<float>(event->position().y()));
}

void PlotWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (onmouseup)
        onmouseup(event->button(), event->modifiers(), static_cast<float>(event->position().x()),
                  static_cast<float>(event->position().y()));
}

void PlotWidget::mouseDoubleClickEvent(QMouseEvent*) {
    // Qt sends press, release, double click, release; the double click stands in for the second press
    // and is reported only as a double click.
    if (ondblclick) ondblclick();
}

} // namespace kelvora
