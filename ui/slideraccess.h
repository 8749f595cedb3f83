// A parameter's slider, and what a screen reader hears from it: the parameter's value, range and step,
// not the slider's internal integers (which are the value divided by the step, turned upside down).
#pragma once

#include <QSlider>

namespace kelvora {

class ParameterSlider : public QSlider {
    Q_OBJECT

  public:
    // A vertical slider as toolkit::verticalslider makes them, described to the accessibility layer by
    // the values its positions stand for.
    explicit ParameterSlider(QWidget* parent);

    // The step of the parameter's values: position p stands for slidervalue(minimum, maximum, p, inc).
    void setstep(double inc) { step = inc; }
    double stepsize() const { return step; }
    double valueat(int position) const;

  private:
    double step = 0.0;
};

} // namespace kelvora
