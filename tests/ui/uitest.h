// Shared by the window tests. Every test runs in a fresh, empty working directory, because the window
// keeps Kelvora.ini in the current directory.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "model/crossing.h"
#include "ui/mainwindow.h"
#include "ui/plotview.h"
#include "ui/toolkit.h"

namespace kelvora::uitest {

using ReadoutText = std::pair<std::string, std::string>; // x, y

class InTempDir : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        // The list of recent files is the test's own.
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir.path()));
    }
    void TearDown() override {
        form.reset();
        QDir::setCurrent(previous);
    }

    // Starts the window the way the program does; shown and active when keys, focus and mouse matter.
    MainWindow& start(bool shown = false, const std::filesystem::path& settings = {}) {
        form = std::make_unique<MainWindow>(settings);
        if (shown) {
            form->show();
            form->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        }
        return *form;
    }
    MainWindow& f() { return *form; }
    // The window's controls by their object names; a panel box by its parameter and field.
    template <typename Control = QLineEdit> Control* control(const char* name) const {
        auto* c = form->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_TRUE(c) << name;
        return c;
    }
    template <typename Control = QLineEdit> Control* field(int index, const char* which) const {
        return form->findChild<Control*>(QString::fromUtf8(parametername(index)) + QLatin1Char(' ') +
                                         QLatin1String(which));
    }
    QLineEdit* value(int i) const { return field(i, "value"); }
    QLineEdit* minimum(int i) const { return field(i, "minimum"); }
    QLineEdit* maximum(int i) const { return field(i, "maximum"); }
    QSlider* slider(int i) const { return field<QSlider>(i, "slider"); }
    QPushButton* button(const char* name) const { return control<QPushButton>(name); }
    PlotView* plotview() const { return control<PlotView>("plotView"); }
    void clickbutton(const char* name) {
        QTest::mouseClick(button(name), Qt::LeftButton);
        settle();
    }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
    // "Copy to clipboard", and what it copied.
    QString copy() {
        clickbutton("copyButton");
        return clipboard();
    }
    static qsizetype linecount(const QString& text) { return text.count(QLatin1String("\r\n")); }
    // Lets the redraw that the last action asked for run.
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    // Closes the window like its close box does, which writes the file.
    void closewindow() {
        form->close();
        form.reset();
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray bytes(const char* name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The lines of a file, split at CR LF; nothing after the last line end is no line.
    QStringList lines(const char* name) const {
        QStringList split = QString::fromLatin1(bytes(name)).split(QLatin1String("\r\n"));
        if (split.last().isEmpty()) split.removeLast();
        return split;
    }

    // Types a text into a box as a user would: focus, select all, type; enter also presses Enter.
    static void typeinto(QLineEdit* box, const char* text) {
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClicks(box, QString::fromUtf8(text));
    }
    static void enter(QLineEdit* box, const char* text) {
        typeinto(box, text);
        QTest::keyClick(box, Qt::Key_Return);
        settle();
    }
    static std::string text(const QLineEdit* box) { return box->text().toStdString(); }
    static bool isred(const QLineEdit* box) { return toolkit::textcolour(box) == toolkit::red; }

    // Text with the window's decimal separator in place of the point.
    std::string withsep(const char* withpoint) const {
        const QLatin1Char sep(form->decimalseparator());
        return QString::fromUtf8(withpoint).replace(QLatin1Char('.'), sep).toStdString();
    }

    QTemporaryDir dir;
    QString previous;
    std::unique_ptr<MainWindow> form;
};

// A shown, active window, with the mouse on the plot going through the platform's window as a real
// mouse's would: Qt itself turns two quick clicks into press, release, double click, release.
class Shown : public InTempDir {
  protected:
    void SetUp() override {
        InTempDir::SetUp();
        start(true);
        // The platform drops a move to where the pointer already is, perhaps left there by an earlier
        // test's window: park it outside the plot first.
        QTest::mouseMove(window(), QPoint(0, 0));
    }

    // The plot area of the window's surface: N rows from (left, top), and a point inside it.
    static constexpr int N = 270, left = 60, top = 10, px = 200, py = 100;

    // A surface pixel of the plot in the window's coordinates, and mouse events there.
    QPoint at(int X, int Y) const { return plotview()->mapTo(form.get(), QPoint(X, Y)); }
    QWindow* window() const { return form->windowHandle(); }
    void press(int X, int Y) { QTest::mousePress(window(), Qt::LeftButton, {}, at(X, Y)); }
    void release(int X, int Y) {
        QTest::mouseRelease(window(), Qt::LeftButton, {}, at(X, Y));
        settle();
    }
    void click(int X, int Y) {
        QTest::mouseClick(window(), Qt::LeftButton, {}, at(X, Y));
        settle();
    }
    void move(int X, int Y) {
        QTest::mouseMove(window(), at(X, Y));
        settle();
    }

    // A move built for the surface, to be posted or sent, so that it can arrive in the middle of another
    // handler.
    std::unique_ptr<QMouseEvent> moveevent(int X, int Y) const {
        const QPointF p(X, Y);
        return std::make_unique<QMouseEvent>(QEvent::MouseMove, p, plotview()->mapToGlobal(p), Qt::NoButton,
                                             Qt::NoButton, Qt::NoModifier);
    }

    QImage picture() {
        settle();
        return plotview()->surface().image().copy();
    }
    AxisLimits limits() const { return limitsof(form->state()); }
    ReadoutText readout() const { return {text(control("readoutX")), text(control("readoutY"))}; }
};

} // namespace kelvora::uitest
