#include "ui/slideraccess.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QSlider>
#include <cmath>

#include "model/sliders.h"
#include "ui/toolkit.h"

namespace kelvora {

namespace {

// The step is kept on the slider itself, so that the interface needs nothing beyond the widget.
constexpr const char* stepproperty = "kelvoraParameterStep";

double stepof(const QSlider* slider) {
    return slider->property(stepproperty).toDouble();
}

class ParameterSliderAccess : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit ParameterSliderAccess(QSlider* s) : QAccessibleWidget(s, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return QString::number(currentValue().toDouble());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return parametervalueat(slider(), toolkit::position(slider())); }
    // The top of the track stands for the maximum: the ends swap.
    QVariant minimumValue() const override { return parametervalueat(slider(), slider()->maximum()); }
    QVariant maximumValue() const override { return parametervalueat(slider(), slider()->minimum()); }
    QVariant minimumStepSize() const override { return stepof(slider()); }
    // A value set through the accessibility layer moves the slider as the user would.
    void setCurrentValue(const QVariant& value) override {
        const double inc = stepof(slider());
        if (!(inc > 0.0)) return;
        const double position = slider()->minimum() + slider()->maximum() - value.toDouble() / inc;
        slider()->setSliderPosition(static_cast<int>(std::lround(position)));
        slider()->triggerAction(QAbstractSlider::SliderMove);
    }

  private:
    QSlider* slider() const { return static_cast<QSlider*>(widget()); }
};

QAccessibleInterface* parameterslideraccess(const QString&, QObject* object) {
    auto* slider = qobject_cast<QSlider*>(object);
    if (slider && slider->property(stepproperty).isValid()) return new ParameterSliderAccess(slider);
    return nullptr;
}

} // namespace

void setparameterslider(QSlider* slider, double inc) {
    static const bool installed = [] {
        QAccessible::installFactory(parameterslideraccess);
        return true;
    }();
    (void)installed;
    slider->setProperty(stepproperty, inc);
}

double parametervalueat(const QSlider* slider, int position) {
    return slidervalue(slider->minimum(), slider->maximum(), position, stepof(slider));
}

} // namespace kelvora
