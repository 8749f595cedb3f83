#include "ui/yaxischoice.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

#include "model/parameters.h"
#include "ui/toolkit.h"

namespace kelvora {

namespace {

// The choice's corner in the window, in twips: under the set-up area, beside the plot.
constexpr int choiceleft = 8760;
constexpr int choicetop = 4170;
constexpr int choicewidth = 6360;
constexpr int choiceheight = 330;

} // namespace

YAxisChoice::YAxisChoice(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("yaxisChoice"));
    toolkit::place(this, choiceleft, choicetop, choicewidth, choiceheight);
    auto* caption = new QLabel(QStringLiteral("&Y axis"), this);
    toolkit::place(caption, 0, 30, 732, 252);
    list = new QComboBox(this);
    list->setObjectName(QStringLiteral("yaxis"));
    list->setAccessibleName(QStringLiteral("Y axis"));
    toolkit::place(list, 9600 - choiceleft, 0, 2400, choiceheight);
    // Entry 0 is the ratio, entry i + 1 parameter i: the entry is the y-axis index plus one.
    for (int entry = 0; entry < yaxisentries; ++entry)
        list->addItem(QString::fromStdString(yaxistext(entry)));
    caption->setBuddy(list);
    connect(list, &QComboBox::activated, this,
            [this](int entry) { emit yaxisChosen(static_cast<int16_t>(entry - 1)); });
}

void YAxisChoice::showyaxis(int16_t yaxis) {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(yaxis + 1);
}

} // namespace kelvora
