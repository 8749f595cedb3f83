#include "ui/document.h"

namespace kelvora {

Document::Document(QObject* parent) : QObject(parent) {}

void Document::setstate(const ModelState& s) {
    model = s;
    emit changed();
}

} // namespace kelvora
