// The crossing of the two curves as text beside the plot, selectable and copyable.
#pragma once

#include <QWidget>

#include "model/parameters.h"

class QLineEdit;

namespace kelvora {

class CrossingReadout : public QWidget {
  public:
    explicit CrossingReadout(QWidget* parent);

    // The crossing of s, or why there is none, with decimalsep.
    void showcrossing(const ModelState& s, char decimalsep);

  private:
    QLineEdit* text;
};

} // namespace kelvora
