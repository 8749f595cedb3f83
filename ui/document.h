// The model state the window shows: one owner, one signal when it changes, so that every view can
// follow whatever changed it, and the history of the user's changes for undo and redo.
#pragma once

#include <QObject>
#include <QUndoStack>

#include "model/parameters.h"

namespace kelvora {

class Document : public QObject {
    Q_OBJECT

  public:
    // A change that never merges with the one before it.
    static constexpr int nomerge = -1;

    explicit Document(QObject* parent = nullptr);

    const ModelState& state() const { return model; }

    // Replaces the state outside the history: start-up, a file read. The history is emptied, since its
    // steps led to a state that is gone.
    void setstate(const ModelState& s);
    // A change the user made, one step of the history named text. While a burst is open, a change with
    // the same mergekey (not nomerge) as the last step joins that step: a slider drag or a run of wheel
    // steps is undone at once.
    void apply(const ModelState& s, const QString& text, int mergekey = nomerge);
    // Ends the open burst: the next change is a step of its own.
    void endburst() { burstopen = false; }
    // The state a redraw leaves (with the limits it fitted). Limits fitted to the change just made end
    // that change's step, so that redo comes back to the same picture; limits fitted for another reason
    // (the automatic toggle switched on) are a step of their own, named text.
    void settle(const ModelState& s, const QString& text);

    // Puts another quantity on the y axis (ratioaxis or a parameter index): a step of the history like
    // any other change.
    void setyaxis(int16_t yaxis);

    QUndoStack& history() { return undo; }

  signals:
    // Every change of the state; yaxisChanged comes first when the quantity on the y axis is another one.
    void changed();
    void yaxisChanged(int16_t yaxis);
    // Undo or redo put a whole earlier state back: every view shows it anew.
    void restored();

  private:
    friend class StateStep;
    // Sets the state, announcing another quantity on the y axis.
    void replace(const ModelState& s);
    // Sets the state as undo or redo does.
    void restore(const ModelState& s);

    ModelState model;
    QUndoStack undo;
    bool burstopen = false;
    bool fresh = false; // a change was made since the last redraw
    int lastkey = nomerge;
};

} // namespace kelvora
