// One parameter's column of the panel: name, unit, value, minimum, maximum and slider.
#pragma once

#include <QObject>
#include <QString>

#include "model/parameters.h"
#include "ui/panelgeometry.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace kelvora {

class ParameterSlider;

class ParameterRow : public QObject {
    Q_OBJECT

  public:
    enum class Field { value, minimum, maximum };

    // Creates the controls in panel, at the design place of the first column.
    ParameterRow(int index, QWidget* panel);

    // Where the column's controls stand in twips (the first column's are the design's).
    std::array<float, panelarrays> lefts() const;
    void place(const PanelColumn& column);
    // The three boxes' texts, and the slider's range, step and position, for p.
    void showtexts(const parameter& p, char decimalsep);
    void showslider(const parameter& p);
    QString text(Field field) const;
    void settext(Field field, const QString& text);
    // A box the model corrected is red; the user's next change of the row turns it black again.
    void setmark(Field field, bool red);
    // The slider's range and position, including a move that is still being delivered.
    int sliderminimum() const;
    int slidermaximum() const;
    int sliderposition() const;
    // The user holds the slider's thumb.
    bool sliderheld() const;

  signals:
    // Only the user's moves: thumb, track, keys, wheel.
    void sliderMoved(int index);
    // Enter, or the box left for another control.
    void entered(int index, Field field);
    void escaped(int index, Field field);
    // The slider's value changed, by the user or the program.
    void sliderChanged(int index);
    void valueEdited(int index);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* box(Field field) const;

    int index;
    ParameterSlider* slider;
    QLineEdit* maximumBox;
    QLineEdit* minimumBox;
    QLabel* nameLabel;
    QLabel* unitLabel;
    QLineEdit* valueBox;
};

} // namespace kelvora
