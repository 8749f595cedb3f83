#include "ui/slideraccess.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <array>
#include <charconv>
#include <cmath>

#include "model/sliders.h"
#include "ui/toolkit.h"

namespace kelvora {

namespace {

class ParameterSliderAccess : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit ParameterSliderAccess(ParameterSlider* s) : QAccessibleWidget(s, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return QString::number(currentValue().toDouble());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return slider()->valueat(toolkit::position(slider())); }
    // The top of the track stands for the maximum: the ends swap.
    QVariant minimumValue() const override { return slider()->valueat(slider()->maximum()); }
    QVariant maximumValue() const override { return slider()->valueat(slider()->minimum()); }
    QVariant minimumStepSize() const override { return slider()->stepsize(); }
    // A value set through the accessibility layer moves the slider as the user would.
    void setCurrentValue(const QVariant& value) override {
        const double inc = slider()->stepsize();
        if (!(inc > 0.0)) return;
        const double position = slider()->minimum() + slider()->maximum() - value.toDouble() / inc;
        slider()->setSliderPosition(static_cast<int>(std::lround(position)));
        slider()->triggerAction(QAbstractSlider::SliderMove);
    }

  private:
    ParameterSlider* slider() const { return static_cast<ParameterSlider*>(widget()); }
};

// Qt asks the factories for the most derived class first, so this one comes before the plain slider's.
QAccessibleInterface* parameterslideraccess(const QString& classname, QObject* object) {
    if (classname != QLatin1String(ParameterSlider::staticMetaObject.className())) return nullptr;
    auto* slider = qobject_cast<ParameterSlider*>(object);
    return slider ? new ParameterSliderAccess(slider) : nullptr;
}

} // namespace

ParameterSlider::ParameterSlider(QWidget* parent) : QSlider(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(parameterslideraccess);
        return true;
    }();
    (void)installed;
    toolkit::makevertical(this);
}

double ParameterSlider::valueat(int position) const {
    // The single-precision value as its shortest decimal: a reader says 7.38, not 7.380000114440918.
    const float value = slidervalue(minimum(), maximum(), position, step);
    // to_chars and from_chars ignore the locale, which the application has set from the environment.
    std::array<char, 32> text{};
    const char* end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    double shortest = value;
    std::from_chars(text.data(), end, shortest);
    return shortest;
}

} // namespace kelvora
