// The window and a settings file it cannot simply read or replace: a pipe of that name, a save that
// fails at close, and (as a user whom file modes bind) a folder that keeps its file and a file that
// cannot be read.
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "../model/factory.h"
#include "config/inifile.h"
#include "config/startup.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

namespace fs = std::filesystem;

class Files : public InTempDir {
  protected:
    fs::path file(const char* name = configfilename) const {
        return fs::path(dir.path().toStdString()) / name;
    }
    // Settings with pHo 7.5 in the full form, as a closed window leaves them.
    std::string writesettings() {
        ModelState s = factorystate();
        s.params[pHo].value = 7.5f;
        EXPECT_TRUE(writeconfigfile(s, ConfigForm::atclose, '.', file()));
        return content();
    }
    std::string content() const {
        QFile f(path(configfilename));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("unreadable");
    }
    // Counts the save questions and gives the answers in turn, running each answer's action first.
    void answer(std::vector<std::pair<toolkit::SaveAnswer, std::function<void()>>> answers) {
        f().savequestion = [this, answers](QWidget*, const QString& text, const QString& title) {
            asked.push_back((title + QLatin1Char('|') + text).toStdString());
            const auto& [reply, action] = answers.at(asked.size() - 1);
            if (action) action();
            return reply;
        };
    }
    void answerok() {
        f().question = [](QWidget*, const QString&, const QString&) { return toolkit::Answer::OK; };
    }
    std::vector<std::string> asked;
};

TEST_F(Files, APipeOfThatNameIsNeitherReadNorReplacedAndLeftoversGo) {
    ASSERT_EQ(::mkfifo(file().c_str(), 0644), 0); // nobody ever writes into it
    const fs::path leftover = file(".Kelvora.ini.0123456789ab.tmp");
    QFile stale(QString::fromStdString(leftover.string()));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly) && stale.write("complete but never renamed") > 0);
    stale.close();
    start(true);
    EXPECT_FALSE(fs::exists(leftover));
    answer({});
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("7.25"));
    enter(f().tbValue[pHo], "7.5");
    answerok();
    QTest::mouseClick(f().cmdDefault, Qt::LeftButton);
    EXPECT_EQ(f().model.params[pHo].value, 7.25f);
    enter(f().tbValue[pHo], "7.5");
    closewindow();
    EXPECT_EQ(fs::symlink_status(file()).type(), fs::file_type::fifo);
    EXPECT_TRUE(asked.empty());
}

// The file goes through a link into a folder that is not there: nothing can be saved until it is.
TEST_F(Files, AFailedSaveAsksAndRetriesClosesWithoutSavingOrStaysOpen) {
    fs::create_symlink("missing/Kelvora.ini", file());
    start(true);
    enter(f().tbValue[pHo], "7.5");
    answer({{toolkit::SaveAnswer::Cancel, nullptr},
            {toolkit::SaveAnswer::Retry, [this] { fs::create_directory(file("missing")); }}});
    EXPECT_FALSE(f().close());
    EXPECT_TRUE(f().isVisible());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "Kelvora|The settings could not be saved to\n" + file("missing").string() +
                            "/Kelvora.ini\n(No such file or directory).\n\n"
                            "Retry, or close without saving and lose the changes?");
    EXPECT_TRUE(f().close());
    EXPECT_EQ(asked.size(), 2u);
    ModelState s;
    ASSERT_EQ(startstate(s, file()), ConfigStatus::read);
    EXPECT_EQ(s.params[pHo].value, 7.5f);

    fs::remove_all(file("missing"));
    start(true);
    asked.clear();
    answer({{toolkit::SaveAnswer::Discard, nullptr}});
    EXPECT_TRUE(f().close());
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_FALSE(fs::exists(file("missing")));
}

TEST(SaveQuestion, OffersRetryCloseWithoutSavingAndCancel) {
    using toolkit::SaveAnswer;
    for (const auto& [button, expected] : {std::pair{QMessageBox::Retry, SaveAnswer::Retry},
                                           std::pair{QMessageBox::Discard, SaveAnswer::Discard},
                                           std::pair{QMessageBox::Cancel, SaveAnswer::Cancel}}) {
        bool found = false;
        QTimer::singleShot(0, [&found, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            found = true;
            EXPECT_EQ(box->text(), QStringLiteral("Could not save."));
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Kelvora"));
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            EXPECT_EQ(box->button(QMessageBox::Discard)->text(), QStringLiteral("Close &without saving"));
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Retry));
            EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::Cancel));
            box->button(button)->click();
        });
        EXPECT_EQ(toolkit::askretry(nullptr, QStringLiteral("Could not save."), QStringLiteral("Kelvora")),
                  expected);
        EXPECT_TRUE(found);
    }
}

// File modes do not bind the superuser: these run as another user (see the ctest entry that runs them
// as nobody) and skip themselves otherwise.
class AsUser : public Files {
  protected:
    void SetUp() override {
        if (::geteuid() == 0) GTEST_SKIP() << "file modes do not bind the superuser";
        Files::SetUp();
    }
    void TearDown() override {
        if (::geteuid() == 0) return;
        ::chmod(dir.path().toLocal8Bit().constData(), 0700);
        ::chmod(file().c_str(), 0600);
        Files::TearDown();
    }
};

TEST_F(AsUser, DefaultRestoresTheDefaultsWhenTheFolderKeepsItsFile) {
    const std::string saved = writesettings();
    ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0555), 0);
    start(true);
    ASSERT_EQ(f().model.params[pHo].value, 7.5f);
    answerok();
    QTest::mouseClick(f().cmdDefault, Qt::LeftButton);
    for (int i = 0; i <= lastindex; ++i)
        EXPECT_EQ(f().model.params[i].value, f().model.defaults[i].value) << i;
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("7.25"));
    EXPECT_EQ(content(), saved);
    answer({{toolkit::SaveAnswer::Discard, nullptr}});
    closewindow();
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_NE(asked.at(0).find("(Permission denied)"), std::string::npos) << asked.at(0);
    EXPECT_EQ(content(), saved);
}

// Neither the reset nor the close writes over a file that could not be read.
TEST_F(AsUser, AFileThatCannotBeReadIsLeftAsItIs) {
    const std::string saved = writesettings();
    ASSERT_EQ(::chmod(file().c_str(), 0), 0);
    start(true);
    answer({});
    EXPECT_EQ(f().model.params[pHo].value, 7.25f);
    enter(f().tbValue[pHi], "7.1");
    answerok();
    QTest::mouseClick(f().cmdDefault, Qt::LeftButton);
    enter(f().tbValue[pHi], "7.1");
    closewindow();
    EXPECT_TRUE(asked.empty());
    ASSERT_EQ(::chmod(file().c_str(), 0600), 0);
    EXPECT_EQ(content(), saved);
}

} // namespace
} // namespace kelvora::uitest
