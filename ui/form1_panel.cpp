// The parameter panel: where its columns stand, and the texts of its boxes.
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include "model/numtext.h"
#include "model/rounding.h"
#include "plot/titles.h"
#include "ui/axistitle.h"
#include "ui/form1.h"
#include "ui/panelgeometry.h"

namespace kelvora {

namespace {
// Significant digits of the numbers in the panel's boxes.
constexpr int16_t boxdigits = 6;

QString boxtext(double x, char sep) {
    return QString::fromStdString(shorttext(siground(x, boxdigits), sep));
}
} // namespace

void Form1::panellayout() {
    std::array<float, panelarrays> designleft{};
    designleft[SliderArray] = toolkit::lefttwips(Slider[0]);
    designleft[tbMaxArray] = toolkit::lefttwips(tbMax[0]);
    designleft[tbMinArray] = toolkit::lefttwips(tbMin[0]);
    designleft[tbValueArray] = toolkit::lefttwips(tbValue[0]);
    designleft[lbNameArray] = toolkit::lefttwips(lbName[0]);
    designleft[lbUnitArray] = toolkit::lefttwips(lbUnit[0]);
    const PanelPlacement placement = panelgeometry(model.yaxis, designleft, [](float twips) {
        // Exactly what a control placed at twips reports back: its whole pixel.
        return static_cast<float>(toolkit::pixels(twips) * toolkit::twipsperpixel);
    });

    // The ratio has its own title picture; any other quantity is named in the same letters.
    Image2->setVisible(placement.image2visible);
    Image3->settext(QString::fromStdString(yaxistitle(model.yaxis)));
    Image3->setVisible(!placement.image2visible);

    for (int i = 0; i <= 1; ++i) {
        const bool v = placement.columns[i].visible;
        for (QWidget* w : {static_cast<QWidget*>(Slider[i]), static_cast<QWidget*>(tbMax[i]),
                           static_cast<QWidget*>(tbMin[i]), static_cast<QWidget*>(tbValue[i]),
                           static_cast<QWidget*>(lbName[i]), static_cast<QWidget*>(lbUnit[i])})
            w->setVisible(v);
    }

    for (int i = 1; i <= lastindex; ++i) {
        const PanelColumn& column = placement.columns[i];
        Slider[i]->move(toolkit::pixels(column.left[SliderArray]), Slider[0]->y());
        Slider[i]->setVisible(column.visible);
        toolkit::setlefttwips(tbMax[i], column.left[tbMaxArray]);
        toolkit::setlefttwips(tbMin[i], column.left[tbMinArray]);
        toolkit::setlefttwips(tbValue[i], column.left[tbValueArray]);
        toolkit::setlefttwips(lbName[i], column.left[lbNameArray]);
        toolkit::setlefttwips(lbUnit[i], column.left[lbUnitArray]);
        // Name and unit labels are wider than the column pitch; the one further right lies on top.
        lbName[i]->raise();
        lbUnit[i]->raise();
        for (QWidget* w : {static_cast<QWidget*>(tbMax[i]), static_cast<QWidget*>(tbMin[i]),
                           static_cast<QWidget*>(tbValue[i]), static_cast<QWidget*>(lbName[i]),
                           static_cast<QWidget*>(lbUnit[i])})
            w->setVisible(column.visible);
    }
}

void Form1::textrefresh() {
    for (int i = 0; i <= lastindex; ++i) {
        const parameter& p = model.params[i];
        tbMax[i]->setText(boxtext(p.max, sep));
        tbMin[i]->setText(boxtext(p.min, sep));
        tbValue[i]->setText(boxtext(static_cast<double>(p.value), sep));
    }
}

} // namespace kelvora
