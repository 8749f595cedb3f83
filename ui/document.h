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
    // Puts another quantity on the y axis (ratioaxis or a parameter index); the one way the window
    // changes it, so that the change can be recorded like any other.
    void setyaxis(int16_t yaxis);

  signals:
    // After every setstate; yaxisChanged comes first when the quantity on the y axis is another one.
    void changed();
    void yaxisChanged(int16_t yaxis);

  private:
    ModelState model;
};

} // namespace kelvora
