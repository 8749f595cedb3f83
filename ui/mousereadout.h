// The plot value under the mouse, or at the pinned marker, in two boxes (the design's Text1, Text2).
#pragma once

#include <QWidget>

#include "plot/mouse.h"

class QLineEdit;

namespace kelvora {

class MouseReadout : public QWidget {
    Q_OBJECT

  public:
    explicit MouseReadout(QWidget* parent);

    // The texts; selectable: the boxes are enabled, so that a pinned readout can be selected and copied.
    void showreadout(const Readout& readout, bool selectable);
    // Disabled and empty.
    void clear();

  private:
    QLineEdit* xBox;
    QLineEdit* yBox;
};

} // namespace kelvora
