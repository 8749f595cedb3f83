// Shared by the tests that use the mouse on the plot: the window is shown and every event goes through
// the platform's window, as a real mouse's would, so Qt itself turns two quick clicks into press,
// release, double click, release and delivers moves with and without a button held.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

#include "ui/plotwidget.h"
#include "uitest.h"

namespace kelvora::uitest {

class PlotMouse : public InTempDir {
  protected:
    void SetUp() override {
        InTempDir::SetUp();
        start(true);
        // The platform drops a move to where the pointer already is; an earlier test may have left it
        // over the same pixel of an earlier window. Park it outside the plot first.
        QTest::mouseMove(window(), QPoint(0, 0));
    }
    Form1& f() { return *form; }

    // The plot area of the window's surface: W x N pixels from (leftmargin, topmargin).
    static constexpr int W = 461;
    static constexpr int N = 270;
    static constexpr int left = 60;
    static constexpr int top = 10;

    // A surface pixel of Picture1 in the window's coordinates.
    QPoint at(int X, int Y) const { return form->Picture1->mapTo(form.get(), QPoint(X, Y)); }
    QWindow* window() const { return form->windowHandle(); }

    void press(int X, int Y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(window(), button, {}, at(X, Y));
    }
    void release(int X, int Y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(window(), button, {}, at(X, Y));
    }
    void click(int X, int Y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window(), button, {}, at(X, Y));
    }
    // Moves with whatever buttons are held since the last press.
    void move(int X, int Y) { QTest::mouseMove(window(), at(X, Y)); }
    // Two quick clicks; the platform delivers press, release, double click, release.
    void doubleclick(int X, int Y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseDClick(window(), button, {}, at(X, Y));
    }
    // A drag with one step on the way.
    void drag(int fromX, int fromY, int toX, int toY, Qt::MouseButton button = Qt::LeftButton) {
        press(fromX, fromY, button);
        move((fromX + toX) / 2, (fromY + toY) / 2);
        move(toX, toY);
        release(toX, toY, button);
    }

    // A move event built by hand, for delivering it in the middle of another handler.
    QMouseEvent* moveevent(int X, int Y, Qt::MouseButtons held) const {
        const QPointF p(X, Y);
        return new QMouseEvent(QEvent::MouseMove, p, form->Picture1->mapToGlobal(p), Qt::NoButton, held,
                               Qt::NoModifier);
    }

    // Sets the four limits the way a user does: type them, press Set.
    void setlimits(const QString& xmin, const QString& xmax, const QString& ymin, const QString& ymax) {
        typeinto(f().tbxmin, xmin);
        typeinto(f().tbxmax, xmax);
        typeinto(f().tbymin, ymin);
        typeinto(f().tbymax, ymax);
        ASSERT_TRUE(f().cmdSet->isEnabled());
        QTest::mouseClick(f().cmdSet, Qt::LeftButton);
    }

    // Text with the window's decimal separator in place of the point.
    std::string withsep(const char* withpoint) const {
        std::string s = withpoint;
        for (char& c : s)
            if (c == '.') c = form->sep;
        return s;
    }
    QString qwithsep(const char* withpoint) const { return QString::fromStdString(withsep(withpoint)); }

    QImage picture() { return f().Picture1->surface().image().copy(); }
    static QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }
};

} // namespace kelvora::uitest
