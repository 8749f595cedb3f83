// The decimal separator of the copied table: "use Point", "use Comma", or neither (the system's).
#pragma once

#include <QWidget>

#include "model/cliptable.h"

class QCheckBox;

namespace kelvora {

class SeparatorBox : public QWidget {
    Q_OBJECT

  public:
    explicit SeparatorBox(QWidget* parent);
    SeparatorChoice choice() const;

  private:
    QCheckBox* pointBox;
    QCheckBox* commaBox;
};

} // namespace kelvora
