// Shared by the window tests: every test runs in a fresh, empty working directory, because the window
// keeps Kelvora.ini in the current directory.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "ui/form1.h"
#include "ui/toolkit.h"

namespace kelvora::uitest {

class InTempDir : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
    }
    void TearDown() override {
        form.reset();
        QDir::setCurrent(previous);
    }

    // Starts the window the way the program does; shown and active when keys and focus matter.
    Form1& start(bool shown = false) {
        form = std::make_unique<Form1>();
        if (shown) {
            form->show();
            form->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        }
        return *form;
    }

    // Closes the window like its close box does, which writes the file.
    void closewindow() {
        form->close();
        form.reset();
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // The lines of a file, split at CR LF.
    QStringList lines(const char* name) const {
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly)) return {};
        QString text = QString::fromLatin1(file.readAll());
        if (text.endsWith(QLatin1String("\r\n"))) text.chop(2);
        return text.split(QLatin1String("\r\n"));
    }

    void writefile(const char* name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    // Types a text into a box as a user would: focus, select all, type.
    static void typeinto(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    static std::string text(const QLineEdit* box) { return box->text().toStdString(); }
    static bool isred(const QLineEdit* box) { return toolkit::textcolour(box) == toolkit::red; }
    static bool isblack(const QLineEdit* box) { return toolkit::textcolour(box) == toolkit::black; }

    QTemporaryDir dir;
    QString previous;
    std::unique_ptr<Form1> form;
};

} // namespace kelvora::uitest
