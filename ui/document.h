// The model state the window shows: one owner, and one signal when it changes, so that every view can
// follow whatever changed it.
#pragma once

#include <QObject>

#include "model/parameters.h"

namespace kelvora {

class Document : public QObject {
    Q_OBJECT

  public:
    explicit Document(QObject* parent = nullptr);

    const ModelState& state() const { return model; }
    // Replaces the state, typically a copy of state() that a model rule has edited.
    void setstate(const ModelState& s);

  signals:
    void changed();

  private:
    ModelState model;
};

} // namespace kelvora
