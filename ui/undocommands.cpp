#include "ui/undocommands.h"

#include "ui/document.h"

namespace kelvora {

bool samestate(const ModelState& a, const ModelState& b) {
    for (int i = 0; i <= lastindex; ++i) {
        const parameter& p = a.params[i];
        const parameter& q = b.params[i];
        if (p.value != q.value || p.min != q.min || p.max != q.max) return false;
    }
    return a.pKa2 == b.pKa2 && a.xmin == b.xmin && a.xmax == b.xmax && a.ymin == b.ymin && a.ymax == b.ymax &&
           a.yaxis == b.yaxis;
}

StateStep::StateStep(Document& doc, const ModelState& from, const ModelState& to, const QString& text,
                     int mergekey, bool merging)
    : QUndoCommand(text), document(doc), before(from), after(to), key(mergekey), merges(merging) {}

void StateStep::undo() {
    document.restore(before);
}

void StateStep::redo() {
    if (!pushed) {
        pushed = true;
        return;
    }
    document.restore(after);
}

bool StateStep::mergeWith(const QUndoCommand* other) {
    // QUndoStack offers only a step whose id equals this one's, and a step has an id only when it may
    // merge; the later state is the burst's end.
    after = static_cast<const StateStep*>(other)->after;
    return true;
}

} // namespace kelvora
