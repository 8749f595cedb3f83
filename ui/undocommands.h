// One step of the document's history: the whole state before and after it, so that undo and redo put
// back exactly what was there, whatever the change touched.
#pragma once

#include <QUndoCommand>

#include "model/parameters.h"

namespace kelvora {

class Document;

// Whether two states hold the same settings: what the settings file stores and the plot shows.
bool samestate(const ModelState& a, const ModelState& b);

class StateStep : public QUndoCommand {
  public:
    // merges: the step may join the one before it when that has the same key.
    StateStep(Document& document, const ModelState& before, const ModelState& after, const QString& text,
              int key, bool merges);

    void undo() override;
    void redo() override;
    // A step that may merge into the one before it has the key; once pushed, it takes later steps of
    // its burst.
    int id() const override { return merges || joinable ? key : -1; }
    void setjoinable() { joinable = true; }
    bool mergeWith(const QUndoCommand* other) override;

    const ModelState& afterstate() const { return after; }
    void setafter(const ModelState& s) { after = s; }

  private:
    Document& document;
    ModelState before;
    ModelState after;
    int key;
    bool merges;
    bool joinable = false;
    // The change is already in the document when the step is pushed; only later redos set it.
    bool pushed = false;
};

} // namespace kelvora
