// The axis limits: the automatic toggle, the four typed limits and Set, which applies them.
#pragma once

#include <QWidget>

#include "model/crossing.h"

class QLineEdit;
class QPushButton;

namespace kelvora {

class LimitsBox : public QWidget {
    Q_OBJECT

  public:
    explicit LimitsBox(QWidget* parent);

    bool automatic() const;
    // Switches the toggle as a click would, telling automaticToggled when the state changes.
    void setautomatic(bool on);
    // The visible limits, each in the shortest text that reads back as exactly that limit, with decimalsep.
    // Set follows what the boxes now hold, unless the limits are automatic.
    void showlimits(const AxisLimits& visible, char decimalsep);
    // Set and the four limit boxes, together.
    void setmanualenabled(bool enabled);

  signals:
    void automaticToggled(bool on);
    // Set was clicked (or Enter pressed in a box while Set is enabled) with valid typed limits.
    void limitsSet(const AxisLimits& limits);

  private:
    void onAutomaticToggled(bool on);
    void onSetClicked();
    // Enables Set while the four boxes hold valid limits.
    void checklimits();
    AxisLimits typedlimits() const;

    QPushButton* automaticButton;
    QLineEdit* yminBox;
    QLineEdit* ymaxBox;
    QLineEdit* xminBox;
    QLineEdit* xmaxBox;
    QPushButton* setButton;
};

} // namespace kelvora
