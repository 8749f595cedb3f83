// An axis title drawn as text and stretched to fill its frame, optionally turned to read upward.
#pragma once

#include <QString>
#include <QWidget>

namespace kelvora {

class AxisTitle : public QWidget {
  public:
    AxisTitle(const QString& text, bool upward, QWidget* parent);

    const QString& text() const { return title; }
    bool readsupward() const { return upward; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString title;
    bool upward;
};

} // namespace kelvora
