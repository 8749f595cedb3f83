#include "ui/separatorbox.h"

#include <QCheckBox>

#include "ui/toolkit.h"

namespace kelvora {

namespace {

// The choice's corner in the window and its size, in twips; it reaches to the window's edge, since at the
// design width of 1212 twips the toolkit's box and font cut "use Comma" short.
constexpr int choiceleft = 13440;
constexpr int choicetop = 3240;
constexpr int choicewidth = 15216 - choiceleft;
constexpr int choiceheight = 552;
constexpr int checkboxheight = 192;

QCheckBox* checkbox(QWidget* box, const char* name, const QString& caption, int top) {
    auto* check = new QCheckBox(caption, box);
    check->setObjectName(QString::fromLatin1(name));
    toolkit::place(check, 0, top - choicetop, choicewidth, checkboxheight);
    toolkit::fitindicator(check);
    return check;
}

} // namespace

SeparatorBox::SeparatorBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("separatorBox"));
    toolkit::place(this, choiceleft, choicetop, choicewidth, choiceheight);
    pointBox = checkbox(this, "usePoint", QStringLiteral("use Point"), 3240);
    commaBox = checkbox(this, "useComma", QStringLiteral("use Comma"), 3600);
    // At most one of the two is chosen; both may be left unchecked.
    connect(pointBox, &QCheckBox::toggled, this, [this](bool on) {
        if (on) commaBox->setChecked(false);
    });
    connect(commaBox, &QCheckBox::toggled, this, [this](bool on) {
        if (on) pointBox->setChecked(false);
    });
}

SeparatorChoice SeparatorBox::choice() const {
    return pointBox->isChecked()   ? SeparatorChoice::point
           : commaBox->isChecked() ? SeparatorChoice::comma
                                   : SeparatorChoice::system;
}

} // namespace kelvora
