#include "ui/parameterpanel.h"

#include <QLabel>

#include "model/numtext.h"
#include "model/sliders.h"
#include "ui/document.h"
#include "ui/toolkit.h"

namespace kelvora {

namespace {

// The panel's place in the window, in twips: from the row of the maximum boxes down to the bottom.
constexpr int paneltop = 5400;
constexpr int panelwidth = 15216;
constexpr int panelheight = 9384 - paneltop;

using Field = ParameterRow::Field;

// Milliseconds between two slider steps (wheel turns, key presses) that still belong to one burst.
constexpr int burstpause = 600;

// The name of a parameter's change in the undo history.
QString changetext(int index) {
    return QStringLiteral("Change %1").arg(QString::fromUtf8(parametername(index)));
}

} // namespace

ParameterPanel::ParameterPanel(Document& doc, char decimalsep, QWidget* parent)
    : QWidget(parent), document(doc), sep(decimalsep) {
    setObjectName(QStringLiteral("parameterPanel"));
    toolkit::place(this, 0, paneltop, panelwidth, panelheight);
    // Row captions: Label11 and Label14 in the design.
    toolkit::place(new QLabel(QStringLiteral("Max"), this), 120, 0, 375, 255);
    toolkit::place(new QLabel(QStringLiteral("Min"), this), 120, 8040 - paneltop, 375, 255);
    burstend.setSingleShot(true);
    burstend.setInterval(burstpause);
    connect(&burstend, &QTimer::timeout, this, [this] {
        for (const ParameterRow* row : rows)
            if (row->sliderheld()) return burstend.start();
        document.endburst();
    });
    for (int i = 0; i <= lastindex; ++i) {
        rows[i] = new ParameterRow(i, this);
        connect(rows[i], &ParameterRow::entered, this, &ParameterPanel::onEntered);
        connect(rows[i], &ParameterRow::escaped, this, &ParameterPanel::onEscaped);
        connect(rows[i], &ParameterRow::sliderMoved, this, &ParameterPanel::onSliderMoved);
        // The program's own changes during an entry leave its red marks in place.
        connect(rows[i], &ParameterRow::sliderChanged, this, [this](int row) {
            if (applying) return;
            for (Field f : {Field::value, Field::minimum, Field::maximum})
                rows[row]->setmark(f, false);
        });
        connect(rows[i], &ParameterRow::valueEdited, this, [this](int row) {
            if (!applying) rows[row]->setmark(Field::value, false);
        });
    }
}

void ParameterPanel::layoutfor(int16_t yaxis) {
    const PanelPlacement placement = panelgeometry(yaxis, rows[0]->lefts(), [](float twips) {
        // Exactly what a control placed at twips reports back: its whole pixel.
        return static_cast<float>(toolkit::pixels(twips) * toolkit::twipsperpixel);
    });
    for (int i = 0; i <= lastindex; ++i)
        rows[i]->place(placement.columns[i]);
}

void ParameterPanel::showtexts() {
    for (int i = 0; i <= lastindex; ++i)
        rows[i]->showtexts(document.state().params[i], sep);
}

void ParameterPanel::showparameters() {
    for (int i = 0; i <= lastindex; ++i)
        rows[i]->showslider(document.state().params[i]);
    showtexts();
}

void ParameterPanel::onEntered(int index, Field field) {
    applying = true;
    ModelState s = document.state();
    const std::string typed = rows[index]->text(field).toStdString();
    const RedMarks marks = field == Field::value     ? entervalue(s, index, typed)
                           : field == Field::minimum ? enterminimum(s, index, typed)
                                                     : entermaximum(s, index, typed);
    document.apply(s, changetext(index));
    // A value entry marks its own box; a range entry the range's boxes it corrected.
    if (field == Field::value && marks.value) rows[index]->setmark(Field::value, true);
    if (field != Field::value && marks.min) rows[index]->setmark(Field::minimum, true);
    if (field != Field::value && marks.max) rows[index]->setmark(Field::maximum, true);
    // The range entries also move every value onto its slider's grid.
    showparameters();
    emit parametersChanged();
    applying = false;
}

void ParameterPanel::onEscaped(int index, Field field) {
    // The stored number comes back, the value at its full single precision.
    const parameter& p = document.state().params[index];
    const std::string text = field == Field::value     ? singletext(p.value, sep)
                             : field == Field::minimum ? shorttext(p.min, sep)
                                                       : shorttext(p.max, sep);
    rows[index]->settext(field, QString::fromStdString(text));
}

void ParameterPanel::onSliderMoved(int index) {
    ModelState s = document.state();
    parameter& p = s.params[index];
    const ParameterRow& row = *rows[index];
    p.value = slidervalue(row.sliderminimum(), row.slidermaximum(), row.sliderposition(), p.inc);
    document.apply(s, changetext(index), index);
    burstend.start();
    showtexts();
    emit parametersChanged();
}

} // namespace kelvora
