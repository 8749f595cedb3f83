#include "ui/document.h"

namespace kelvora {

Document::Document(QObject* parent) : QObject(parent) {}

void Document::setstate(const ModelState& s) {
    const bool newaxis = s.yaxis != model.yaxis;
    model = s;
    if (newaxis) emit yaxisChanged(model.yaxis);
    emit changed();
}

void Document::setyaxis(int16_t yaxis) {
    ModelState s = model;
    s.yaxis = yaxis;
    setstate(s);
}

} // namespace kelvora
