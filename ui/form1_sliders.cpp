// The sliders: set from the table, read back into it, and what a user's move does.
#include <QLineEdit>
#include <QSlider>

#include "model/sliders.h"
#include "ui/form1.h"

namespace kelvora {

void Form1::setsliders() {
    for (int i = 0; i <= lastindex; ++i) {
        const parameter& p = model.params[i];
        QSlider* slider = Slider[i];
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
    }
}

void Form1::Slider_Scroll(int index) {
    // Events that came in meanwhile go first; the position read below is then the latest one.
    toolkit::processpending();
    parameter& p = model.params[index];
    const QSlider* slider = Slider[index];
    p.value = slidervalue(slider->minimum(), slider->maximum(), toolkit::position(slider), p.inc);
    textrefresh();
    fastdraw(true);
}

void Form1::Slider_Change(int index) {
    // A slider moved by an entry procedure leaves that procedure's red marks in place.
    if (applying) return;
    toolkit::settextcolour(tbValue[index], toolkit::black);
    toolkit::settextcolour(tbMin[index], toolkit::black);
    toolkit::settextcolour(tbMax[index], toolkit::black);
}

} // namespace kelvora
