// The choice of the quantity on the y axis: a drop-down list of the 21 entries that name the y axis in
// the clipboard header.
#pragma once

#include <QWidget>

class QComboBox;

namespace kelvora {

class YAxisChoice : public QWidget {
    Q_OBJECT

  public:
    explicit YAxisChoice(QWidget* parent);

    // Shows the quantity without reporting it as chosen.
    void showyaxis(int16_t yaxis);

  signals:
    // Only the user's choice: ratioaxis or a parameter index.
    void yaxisChosen(int16_t yaxis);

  private:
    QComboBox* list;
};

} // namespace kelvora
