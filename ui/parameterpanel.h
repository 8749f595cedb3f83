// The parameter panel: a column per parameter, laid out for the quantity on the y axis, through which
// values and ranges are typed or slid into the document.
#pragma once

#include <QTimer>
#include <QWidget>
#include <array>

#include "model/entry.h"
#include "model/parameters.h"
#include "ui/parameterrow.h"

namespace kelvora {

class Document;

class ParameterPanel : public QWidget {
    Q_OBJECT

  public:
    ParameterPanel(Document& document, char decimalsep, QWidget* parent);

    // Places and shows the columns for the y-axis quantity: the one on the y axis (with the ratio both
    // ATPin and ADPin) leaves the panel.
    void layoutfor(int16_t yaxis);
    // The sliders and the boxes' texts for the document's parameters.
    void showparameters();

  signals:
    // A value or range was applied to the document; the limits may be re-fitted.
    void parametersChanged();

  private:
    void onEntered(int index, ParameterRow::Field field);
    void onEscaped(int index, ParameterRow::Field field);
    void onSliderMoved(int index);
    void showtexts();

    Document& document;
    char sep;
    // An entry is being applied: the texts and sliders it changes keep their marks.
    bool applying = false;
    std::array<ParameterRow*, lastindex + 1> rows{};
    // Slider steps closer together than this, or made while the thumb is held, are one undo step.
    QTimer burstend;
};

} // namespace kelvora
