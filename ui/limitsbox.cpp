#include "ui/limitsbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/limittext.h"
#include "model/parsenumber.h"
#include "plot/mouse.h"
#include "ui/toolkit.h"

namespace kelvora {

namespace {

// The box's corner in the window, in twips; its controls stand at their window positions less this.
constexpr int boxleft = 8640;
constexpr int boxtop = 0;
constexpr int boxwidth = 2760;
constexpr int boxheight = 4080;

const QString automaticon = QStringLiteral("Automatic on");
const QString automaticoff = QStringLiteral("Automatic off");
// The toggle's caption is green while the limits follow the model.
const QColor automaticcolour(0, 180, 0);
const QColor manualcolour(0, 0, 0);

template <typename Control>
Control* placed(QWidget* box, const QString& text, int left, int top, int width, int height) {
    auto* control = new Control(text, box);
    toolkit::place(control, left - boxleft, top - boxtop, width, height);
    return control;
}

QLineEdit* limitbox(QWidget* box, const char* name, const QString& caption, int left, int top) {
    auto* edit = placed<QLineEdit>(box, QString(), left, top, 1095, 288);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(caption);
    return edit;
}

double boxnumber(const QLineEdit* box) {
    return parsenumber(box->text().toStdString());
}

void setcaptioncolour(QPushButton* button, const QColor& colour) {
    QPalette pal = button->palette();
    pal.setColor(QPalette::ButtonText, colour);
    button->setPalette(pal);
}

} // namespace

LimitsBox::LimitsBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("limitsBox"));
    toolkit::place(this, boxleft, boxtop, boxwidth, boxheight);
    // Captions: Label12, Label19, Label15, Label16, Label17, Label18 in the design.
    placed<QLabel>(this, QStringLiteral("Screen setup"), 8760, 240, 1692, 252);
    automaticButton = placed<QPushButton>(this, automaticoff, 9480, 720, 1212, 372);
    automaticButton->setObjectName(QStringLiteral("automatic"));
    automaticButton->setCheckable(true);
    // The caption says the state; the name says what the toggle is for.
    automaticButton->setAccessibleName(QStringLiteral("Automatic limits"));
    placed<QLabel>(this, QStringLiteral("Manual setup"), 8760, 1680, 1812, 252);
    placed<QLabel>(this, QStringLiteral("Y min"), 8760, 2040, 732, 252);
    placed<QLabel>(this, QStringLiteral("Y max"), 10080, 2040, 612, 252);
    yminBox = limitbox(this, "ymin", QStringLiteral("Y min"), 8760, 2280);
    ymaxBox = limitbox(this, "ymax", QStringLiteral("Y max"), 10080, 2280);
    placed<QLabel>(this, QStringLiteral("X min"), 8760, 2760, 732, 252);
    placed<QLabel>(this, QStringLiteral("X max"), 10080, 2760, 612, 252);
    xminBox = limitbox(this, "xmin", QStringLiteral("X min"), 8760, 3000);
    xmaxBox = limitbox(this, "xmax", QStringLiteral("X max"), 10080, 3000);
    setButton = placed<QPushButton>(this, QStringLiteral("Set"), 10200, 3480, 975, 372);
    setButton->setObjectName(QStringLiteral("set"));

    // toggled reports the program's setautomatic too, and only when the state changes.
    connect(automaticButton, &QPushButton::toggled, this, &LimitsBox::onAutomaticToggled);
    connect(setButton, &QPushButton::clicked, this, &LimitsBox::onSetClicked);
    for (QLineEdit* box : {xminBox, xmaxBox, yminBox, ymaxBox}) {
        // Only a user's edit is checked; the limits the program writes are valid.
        connect(box, &QLineEdit::textEdited, this, &LimitsBox::checklimits);
        // Enter in a limit box does what a click on Set does, and nothing while Set is disabled.
        connect(box, &QLineEdit::returnPressed, this, [this] {
            if (setButton->isEnabled()) onSetClicked();
        });
    }
}

bool LimitsBox::automatic() const {
    return automaticButton->isChecked();
}

void LimitsBox::setautomatic(bool on) {
    automaticButton->setChecked(on);
}

void LimitsBox::showlimits(const AxisLimits& visible, char decimalsep) {
    const auto show = [decimalsep](QLineEdit* box, double v) {
        // Every digit the limit needs: Set pressed again gives back the very same limits, and limits close
        // together never read the same.
        box->setText(QString::fromStdString(limittext(v, decimalsep)));
        // A limit wider than its box shows its sign and leading digits, not the tail of its fraction.
        box->setCursorPosition(0);
    };
    show(yminBox, visible.ymin);
    show(ymaxBox, visible.ymax);
    show(xminBox, visible.xmin);
    show(xmaxBox, visible.xmax);
    // The boxes now show the limits in use, which are valid: Set must not stay disabled by an earlier
    // invalid entry that the redraw has just replaced. While the limits are automatic it stays off.
    if (!automatic()) checklimits();
}

void LimitsBox::setmanualenabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{setButton, xminBox, xmaxBox, yminBox, ymaxBox})
        w->setEnabled(enabled);
}

void LimitsBox::onAutomaticToggled(bool on) {
    if (on) emit automaticToggled(true);
    setmanualenabled(!on);
    automaticButton->setText(on ? automaticon : automaticoff);
    setcaptioncolour(automaticButton, on ? automaticcolour : manualcolour);
    if (!on) emit automaticToggled(false);
}

AxisLimits LimitsBox::typedlimits() const {
    return {boxnumber(xminBox), boxnumber(xmaxBox), boxnumber(yminBox), boxnumber(ymaxBox)};
}

void LimitsBox::checklimits() {
    const AxisLimits l = typedlimits();
    setButton->setEnabled(limitsvalid(l.xmin, l.xmax, l.ymin, l.ymax));
}

void LimitsBox::onSetClicked() {
    const AxisLimits l = typedlimits();
    // The button may have been enabled by limits the program wrote; what stands there now decides.
    if (!limitsvalid(l.xmin, l.xmax, l.ymin, l.ymax)) {
        setButton->setEnabled(false);
        return;
    }
    emit limitsSet(l);
}

} // namespace kelvora
