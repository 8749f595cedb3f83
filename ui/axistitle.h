// An axis title drawn as text and stretched to fill its frame, optionally turned to read upward.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace kelvora {

class AxisTitle : public QWidget {
  public:
    AxisTitle(const QString& text, bool upward, QWidget* parent);

    const QString& text() const { return title; }
    void settext(const QString& text);
    bool readsupward() const { return upward; }

    // Draws this title in the letters of model (a sibling with the same direction) instead of stretching
    // it: at the scale at which model's text fills model's frame, on model's baseline, and centred where
    // model's text is centred. A text of another length then looks like model's title; this widget's
    // frame only needs to be long enough to hold it.
    void setlettersof(const AxisTitle* model);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString title;
    bool upward;
    QPointer<const AxisTitle> letters;
};

} // namespace kelvora
