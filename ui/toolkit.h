// What the window relies on from Qt, in one place: twip geometry, text colours, change and scroll
// notifications that also fire for the program's own changes, vertical sliders with their minimum at
// the top, and the questions that tests can answer.
#pragma once

#include <QColor>
#include <QString>
#include <functional>

#include <QPushButton>

class QAbstractButton;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QSlider;
class QWidget;

namespace kelvora::toolkit {

// Positions are designed in twips; the screen has 15 twips to a pixel.
constexpr int twipsperpixel = 15;

// Twips to whole pixels, halves to even.
int pixels(double twips);

// Places a control at a design rectangle given in twips (left, top, width, height).
void place(QWidget* w, int left, int top, int width, int height);

// Left edge in twips as the toolkit stored it (whole pixels), and setting it from a twip position.
float lefttwips(const QWidget* w);
void setlefttwips(QWidget* w, float twips);

// Text colour of a text box: black is normal, red marks a corrected entry.
const QColor black(0, 0, 0);
const QColor red(255, 0, 0);
void settextcolour(QLineEdit* box, const QColor& colour);
QColor textcolour(const QLineEdit* box);

// A disabled text box whose text keeps the colour of an enabled one, so that it reads as well.
void legiblewhendisabled(QLineEdit* box);

// Shrinks a check box's indicator to its height where the style's indicator is taller than the box,
// so that the whole square shows; the caption stays where it is.
void fitindicator(QCheckBox* box);

// A push button whose caption wraps onto several lines when it is wider than the button.
class WrapButton : public QPushButton {
  public:
    WrapButton(const QString& caption, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// Change notifications. Each fires for the program's own changes as well as for the user's: a text set
// by the program, a check box or toggle switched by the program, a slider position set by the program.
void onchange(QLineEdit* box, std::function<void()> handler);
void onclick(QAbstractButton* checkbox, std::function<void()> handler);
void onchange(QSlider* slider, std::function<void()> handler);

// The scroll notification: only the user's moves (thumb, track, keys, wheel), delivered while the move
// happens. The handler sees the new position through position(); the change notification follows.
void onscroll(QSlider* slider, std::function<void()> handler);

// A vertical slider whose minimum position is at the top and whose arrow and page keys move the thumb
// the way they point. The top stands for the highest value, so the groove is coloured from the bottom up
// to the thumb.
QSlider* verticalslider(QWidget* parent);
// Makes a slider of a derived class such a slider.
void makevertical(QSlider* slider);

// The slider's current position, including a move that is still being delivered.
int position(const QSlider* slider);

// The answer of a modal OK/Cancel question.
enum class Answer { OK, Cancel };

// Asks a question with the question icon, OK and Cancel, Cancel being the default button.
using Question = std::function<Answer(QWidget* parent, const QString& text, const QString& title)>;
Answer askokcancel(QWidget* parent, const QString& text, const QString& title);

// The answer to a failed save: try again, go on without saving (close the window, open the other file,
// or leave the file as it is), or keep things as they are; to a file that changed on disk: overwrite it,
// go on without saving, or keep things as they are.
enum class SaveAnswer { Retry, Discard, Cancel, Overwrite };

// Asks with the warning icon and the buttons Retry (the default), discard (what going on without saving
// does, "Close without saving") and Cancel (Escape).
using SaveQuestion = std::function<SaveAnswer(QWidget* parent, const QString& text, const QString& title,
                                              const QString& discard)>;
SaveAnswer askretry(QWidget* parent, const QString& text, const QString& title, const QString& discard);

// Asks with the warning icon and the buttons Overwrite, discard and Cancel (the default and Escape).
SaveAnswer askoverwrite(QWidget* parent, const QString& text, const QString& title, const QString& discard);

} // namespace kelvora::toolkit
