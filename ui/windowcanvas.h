// The window's client area: the controls at their design places at the design size, and what a larger
// window does with the extra room. The plot takes it all; the set-up area keeps its size at the right
// edge, the parameter panel at the bottom, and the axis titles stay centred on the plot.
#pragma once

#include <QLine>
#include <QWidget>
#include <vector>

namespace kelvora {

class WindowCanvas : public QWidget {
  public:
    // How a control follows extra room (dx, dy) beyond the design size.
    enum class Anchor {
        grow,       // the plot: wider by dx, taller by dy
        right,      // the set-up area: moved right by dx
        bottom,     // the panel: moved down by dy
        underplot,  // the x-axis title: moved down by dy and right by dx / 2
        besideplot, // the y-axis title: moved down by dy / 2
        tallplot,   // a y-axis title frame the plot's height: taller by dy
    };

    // design: the client area's default and smallest size, in pixels.
    WindowCanvas(QSize design, QWidget* parent);

    // Keeps w's present geometry as its design geometry.
    void anchor(QWidget* w, Anchor how);
    // A frame line of the set-up area, in pixels at the design size; it moves with that area.
    void addline(QLine line);

    QSize sizeHint() const override { return design; }
    QSize minimumSizeHint() const override { return design; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // The extra room; none while the widget is smaller than its design (before it is first laid out).
    QSize extra() const;

    struct Placed {
        QWidget* widget;
        QRect designed;
        Anchor how;
    };
    QSize design;
    std::vector<Placed> placed;
    std::vector<QLine> lines;
};

} // namespace kelvora
