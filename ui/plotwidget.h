// The plot surface Picture1: it shows the image that the last redraw painted and reports the mouse to
// the window's handlers (buttons, modifier keys, the position in pixels).
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "plot/qimagesurface.h"

namespace kelvora {

class PlotWidget : public QWidget {
  public:
    // buttons: the button pressed or released, or those held during a move; position in pixels.
    using MouseHandler =
        std::function<void(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, float x, float y)>;

    explicit PlotWidget(QWidget* parent);

    // The surface the plot is drawn into, sized to the widget in device pixels at the screen's density.
    // A redraw paints it completely and then asks for a repaint with update(); a paint shows what the
    // last redraw painted.
    QImageSurface& surface();
    // Device pixels per logical pixel of the screen the widget is on.
    double scale() const;

    MouseHandler onmousedown;
    MouseHandler onmousemove;
    MouseHandler onmouseup;
    std::function<void()> ondblclick;
    // Asked for a redraw when the widget is to be shown at a density its surface was not drawn at.
    std::function<void()> onrescale;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    std::unique_ptr<QImageSurface> picture;
    double drawnscale = 1.0;
};

} // namespace kelvora
