#include "ui/document.h"

#include "ui/undocommands.h"

#include <utility>

namespace kelvora {

Document::Document(QObject* parent) : QObject(parent) {}

void Document::replace(const ModelState& s) {
    const bool newaxis = s.yaxis != model.yaxis;
    model = s;
    if (newaxis) emit yaxisChanged(model.yaxis);
}

void Document::setstate(const ModelState& s) {
    undo.clear();
    fresh = false;
    burstopen = false;
    lastkey = nomerge;
    replace(s);
    emit changed();
}

void Document::apply(const ModelState& s, const QString& text, int mergekey) {
    // A change that changes nothing (a value typed again) is no step.
    if (samestate(s, model)) {
        replace(s);
        emit changed();
        return;
    }
    const bool merges = burstopen && mergekey != nomerge && mergekey == lastkey && undo.index() > 0 &&
                        undo.index() == undo.count();
    const ModelState before = model;
    replace(s);
    fresh = true;
    burstopen = mergekey != nomerge;
    lastkey = mergekey;
    // The step's first redo finds the state already set.
    auto* step = new StateStep(*this, before, s, text, mergekey, merges);
    undo.push(step);
    // Unless it merged (and is gone), the step now heads a burst that later steps may join.
    if (!merges && mergekey != nomerge) step->setjoinable();
    emit changed();
}

void Document::settle(const ModelState& s, const QString& text) {
    const bool after = std::exchange(fresh, false);
    if (samestate(s, model)) return;
    if (!after || undo.index() == 0) {
        apply(s, text);
        fresh = false;
        return;
    }
    static_cast<StateStep*>(const_cast<QUndoCommand*>(undo.command(undo.index() - 1)))->setafter(s);
    replace(s);
    emit changed();
}

void Document::restore(const ModelState& s) {
    burstopen = false;
    lastkey = nomerge;
    fresh = false;
    replace(s);
    emit changed();
    emit restored();
}

void Document::setyaxis(int16_t yaxis) {
    ModelState s = model;
    s.yaxis = yaxis;
    apply(s, QStringLiteral("Y axis"));
}

} // namespace kelvora
