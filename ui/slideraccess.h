// What a screen reader hears from a parameter's slider: the parameter's value, range and step, not the
// slider's internal integers (which are the value divided by the step, turned upside down).
#pragma once

class QSlider;

namespace kelvora {

// Marks slider as a parameter's slider whose positions stand for values in steps of inc, and makes sure
// that the accessibility layer describes such sliders by their values. Call again when inc changes.
void setparameterslider(QSlider* slider, double inc);

// The value a parameter slider's position stands for (see slidervalue).
double parametervalueat(const QSlider* slider, int position);

} // namespace kelvora
