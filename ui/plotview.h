// The plot on the screen: it shows the image that the last redraw painted and reports the mouse on it
// (the design's Picture1).
#pragma once

#include <QWidget>
#include <memory>

#include "plot/qimagesurface.h"

namespace kelvora {

class PlotView : public QWidget {
    Q_OBJECT

  public:
    explicit PlotView(QWidget* parent);

    // The surface the plot is drawn into, sized to the widget in device pixels at the screen's density.
    // A redraw paints it completely and then asks for a repaint with update(); a paint shows what the
    // last redraw painted.
    QImageSurface& surface();
    // Device pixels per logical pixel of the screen the widget is on.
    double scale() const;

  signals:
    // Positions in logical pixels of the surface.
    void pressed(Qt::MouseButton button, QPointF at);
    void moved(QPointF at);
    void released(QPointF at);
    void doubleClicked();
    // To be shown at a density or a size its surface was not drawn at: a redraw is needed before the
    // paint.
    void rescaled();
    // The widget has another size: the plot's geometry must follow before the next redraw.
    void resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    std::unique_ptr<QImageSurface> picture;
    double drawnscale = 1.0;
};

} // namespace kelvora
