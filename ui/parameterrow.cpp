#include "ui/parameterrow.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include "model/numtext.h"
#include "model/rounding.h"
#include "model/sliders.h"
#include "plot/titles.h"
#include "ui/slideraccess.h"
#include "ui/toolkit.h"

namespace kelvora {

namespace {

// The panel's top in the window, in twips: the rows' controls stand at their window positions less this.
constexpr int paneltop = 5400;

// The name and unit labels in a condensed face a pixel smaller than the controls' font: the longest
// names ("KM(adp)out") and units ("10^(-x) M") then fit their labels and keep clear of the neighbouring
// columns' texts, also where the columns stand closest.
constexpr const char* labelfamily = "DejaVu Sans Condensed";
constexpr int labelpixelsize = 10;

// Significant digits of the numbers in the boxes.
constexpr int16_t boxdigits = 6;

QString boxtext(double x, char sep) {
    return QString::fromStdString(shorttext(siground(x, boxdigits), sep));
}

QLineEdit* textbox(QWidget* panel, const QString& name, const QString& text, int top) {
    auto* box = new QLineEdit(text, panel);
    box->setObjectName(name);
    toolkit::place(box, 480, top - paneltop, 612, 288);
    return box;
}

QLabel* label(QWidget* panel, const QString& text, const QFont& font, int left, int top, int width) {
    auto* l = new QLabel(text, panel);
    toolkit::place(l, left, top - paneltop, width, 255);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setFont(font);
    return l;
}

bool isenter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

ParameterRow::ParameterRow(int row, QWidget* panel) : QObject(panel), index(row) {
    const QString name = QString::fromUtf8(parametername(row));
    slider = new ParameterSlider(panel);
    slider->setObjectName(name + QStringLiteral(" slider"));
    toolkit::place(slider, 600, 5760 - paneltop, 495, 2295);
    maximumBox = textbox(panel, name + QStringLiteral(" maximum"), QStringLiteral("max"), 5400);
    minimumBox = textbox(panel, name + QStringLiteral(" minimum"), QStringLiteral("min"), 8040);
    QFont labelfont = panel->font();
    labelfont.setFamily(QString::fromLatin1(labelfamily));
    labelfont.setPixelSize(labelpixelsize);
    nameLabel = label(panel, name, labelfont, 360, 8400, 975);
    nameLabel->setObjectName(name + QStringLiteral(" name"));
    valueBox = textbox(panel, name + QStringLiteral(" value"), QStringLiteral("0"), 8880);
    QFont bold = valueBox->font();
    bold.setBold(true);
    valueBox->setFont(bold);
    unitLabel = label(panel, QString::fromUtf8(parameterunit(row)), labelfont, 480, 8640, 735);
    unitLabel->setObjectName(name + QStringLiteral(" unit"));
    // Tab runs down each column as it is drawn: maximum, slider, minimum, value.
    QWidget::setTabOrder(maximumBox, slider);
    QWidget::setTabOrder(slider, minimumBox);
    QWidget::setTabOrder(minimumBox, valueBox);
    // A screen reader names each control by its parameter and field, as the object names do.
    for (QWidget* w : std::initializer_list<QWidget*>{slider, maximumBox, minimumBox, valueBox})
        w->setAccessibleName(w->objectName());
    // The labels show name and unit in small letters; the tool tip gives both at the usual size.
    const QString full = QString::fromStdString(yaxistitle(static_cast<int16_t>(row)));
    nameLabel->setToolTip(full);
    unitLabel->setToolTip(full);

    toolkit::onscroll(slider, [this] { emit sliderMoved(index); });
    connect(slider, &QSlider::valueChanged, this, [this] { emit sliderChanged(index); });
    connect(valueBox, &QLineEdit::textChanged, this, [this] { emit valueEdited(index); });
    for (QLineEdit* b : {valueBox, minimumBox, maximumBox})
        b->installEventFilter(this);
}

std::array<float, panelarrays> ParameterRow::lefts() const {
    std::array<float, panelarrays> left{};
    left[SliderArray] = toolkit::lefttwips(slider);
    left[tbMaxArray] = toolkit::lefttwips(maximumBox);
    left[tbMinArray] = toolkit::lefttwips(minimumBox);
    left[tbValueArray] = toolkit::lefttwips(valueBox);
    left[lbNameArray] = toolkit::lefttwips(nameLabel);
    left[lbUnitArray] = toolkit::lefttwips(unitLabel);
    return left;
}

void ParameterRow::place(const PanelColumn& column) {
    toolkit::setlefttwips(slider, column.left[SliderArray]);
    toolkit::setlefttwips(maximumBox, column.left[tbMaxArray]);
    toolkit::setlefttwips(minimumBox, column.left[tbMinArray]);
    toolkit::setlefttwips(valueBox, column.left[tbValueArray]);
    toolkit::setlefttwips(nameLabel, column.left[lbNameArray]);
    toolkit::setlefttwips(unitLabel, column.left[lbUnitArray]);
    // Name and unit labels are wider than the column pitch; the one further right lies on top.
    nameLabel->raise();
    unitLabel->raise();
    for (QWidget* w :
         std::initializer_list<QWidget*>{slider, maximumBox, minimumBox, valueBox, nameLabel, unitLabel})
        w->setVisible(column.visible);
}

void ParameterRow::showtexts(const parameter& p, char decimalsep) {
    maximumBox->setText(boxtext(p.max, decimalsep));
    minimumBox->setText(boxtext(p.min, decimalsep));
    valueBox->setText(boxtext(static_cast<double>(p.value), decimalsep));
}

void ParameterRow::showslider(const parameter& p) {
    const SliderSettings settings = slidersettings(p);
    // Raising the maximum first keeps the control's minimum below its maximum while both move.
    slider->setMaximum(raisedmaximum(slider->maximum(), p));
    slider->setMinimum(settings.minimum);
    slider->setMaximum(settings.maximum);
    // The position only shows the value: the stored value keeps its full precision.
    slider->setValue(settings.position);
    slider->setTickInterval(settings.tickspacing);
    slider->setSingleStep(settings.smallstep);
    slider->setPageStep(settings.tickspacing);
    slider->setstep(p.inc);
}

QLineEdit* ParameterRow::box(Field field) const {
    return field == Field::value ? valueBox : field == Field::minimum ? minimumBox : maximumBox;
}

QString ParameterRow::text(Field field) const {
    return box(field)->text();
}

void ParameterRow::settext(Field field, const QString& text) {
    box(field)->setText(text);
}

void ParameterRow::setmark(Field field, bool red) {
    toolkit::settextcolour(box(field), red ? toolkit::red : toolkit::black);
}

int ParameterRow::sliderminimum() const {
    return slider->minimum();
}

int ParameterRow::slidermaximum() const {
    return slider->maximum();
}

bool ParameterRow::sliderheld() const {
    return slider->isSliderDown();
}

int ParameterRow::sliderposition() const {
    return toolkit::position(slider);
}

bool ParameterRow::eventFilter(QObject* watched, QEvent* event) {
    const Field field = watched == valueBox     ? Field::value
                        : watched == minimumBox ? Field::minimum
                                                : Field::maximum;
    if (event->type() == QEvent::FocusOut) {
        // Leaving the box for another control applies it; the window losing the focus to another program
        // or to the box's own context menu does not, as the focus comes back to the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            emit entered(index, field);
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (isenter(key)) emit entered(index, field);
    if (key == Qt::Key_Escape) emit escaped(index, field);
    // Enter and Escape are the panel's; every other key goes on to the box.
    return isenter(key) || key == Qt::Key_Escape;
}

} // namespace kelvora
