// The window and a settings file it cannot simply read or replace: a pipe of that name, a file that
// cannot be read, a folder that keeps its file, and a save that fails at close.
#include <QAction>
#include <filesystem>
#include <fstream>
#include <optional>
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
    // Counts the save questions and gives the answers in turn, running each answer's action first.
    void answer(std::vector<std::pair<toolkit::SaveAnswer, std::function<void()>>> answers) {
        replies = std::move(answers);
        f().setsavequestion(saveanswers());
    }
    toolkit::SaveQuestion saveanswers() {
        return [this](QWidget*, const QString& text, const QString& title, const QString& discard) {
            asked.push_back((title + QLatin1Char('|') + text).toStdString());
            discards.push_back(discard.toStdString());
            const auto& [reply, action] = replies.at(asked.size() - 1);
            if (action) action();
            return reply;
        };
    }
    std::vector<std::pair<toolkit::SaveAnswer, std::function<void()>>> replies;
    std::vector<std::string> asked;
    std::vector<std::string> discards; // the caption of the button that goes on without saving
};

// The bytes of a regular file, read with its read permission lent for the moment; "" for anything else.
std::string contents(const fs::path& path) {
    if (!fs::is_regular_file(fs::symlink_status(path))) return "";
    const fs::perms was = fs::status(path).permissions();
    fs::permissions(path, fs::perms::owner_read, fs::perm_options::add);
    std::ifstream in(path, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    fs::permissions(path, was);
    return bytes;
}

// File modes do not bind the superuser: the cases that need them are left out then, and the whole table
// runs once more as another user (see the ctest entry that runs these as nobody).
class AsUser : public Files {
  protected:
    void TearDown() override {
        for (const auto& entry : fs::directory_iterator(file("")))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
        Files::TearDown();
    }
};

// What cannot be read is never read (nor waited for), and nothing is written over what was there: the
// window starts with the defaults, resets to them, and closes without touching the path.
TEST_F(AsUser, ASettingsPathThatCannotBeReadOrReplacedIsLeftAsItIs) {
    // The modes of the file (none: a pipe) and of its folder.
    struct Case {
        const char* name;
        std::optional<fs::perms> file;
        fs::perms folder;
        bool read; // the window reads pHo 7.5 from it, and closing asks what to do about the failed save
    };
    using enum fs::perms;
    // A folder of that name is not read either, the same way as a pipe (see the configuration tests).
    const Case cases[] = {{"pipe", std::nullopt, owner_all, false},
                          {"unreadable", none, owner_all, false},
                          {"kept by its folder", owner_read | owner_write, owner_read | owner_exec, true},
                          {"write-protected", owner_read, owner_all, true}};
    for (const Case& c : cases) {
        if (c.file && ::geteuid() == 0) continue;
        fs::create_directory(file(c.name));
        const fs::path path = file(c.name) / configfilename;
        // A temporary file that an interrupted save left goes at start-up.
        const fs::path leftover = file(c.name) / ".Kelvora.ini.0123456789ab.tmp";
        std::ofstream(leftover) << "complete but never renamed";
        if (!c.file) {
            ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
        } else {
            ModelState s = factorystate();
            s.params[pHo].value = 7.5f;
            ASSERT_TRUE(writeconfigfile(s, ConfigForm::atclose, '.', path));
            fs::permissions(path, *c.file);
            fs::permissions(file(c.name), c.folder);
        }
        const std::string saved = contents(path);
        start(true, path);
        EXPECT_FALSE(fs::exists(leftover)) << c.name;
        EXPECT_EQ(text(value(pHo)), withsep(c.read ? "7.5" : "7.25")) << c.name;
        enter(value(pHo), "7.4");
        f().setresetquestion([](QWidget*, const QString&, const QString&) { return toolkit::Answer::OK; });
        QTest::mouseClick(button("defaultButton"), Qt::LeftButton);
        EXPECT_EQ(text(value(pHo)), withsep("7.25")) << c.name;
        enter(value(pHo), "7.4");
        asked.clear();
        answer({{toolkit::SaveAnswer::Discard, nullptr}});
        closewindow();
        ASSERT_EQ(asked.size(), c.read ? 1u : 0u) << c.name;
        if (c.read) {
            EXPECT_NE(asked[0].find("(Permission denied)"), std::string::npos) << asked[0];
        }
        EXPECT_EQ(contents(path), saved) << c.name;
    }
}

// The file goes through a link into a folder that is not there: nothing can be saved until it is.
TEST_F(Files, AFailedSaveAsksAndRetriesOrStaysOpen) {
    fs::create_symlink("missing/Kelvora.ini", file());
    start(true);
    enter(value(pHo), "7.5");
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
}

// Another window saved meanwhile: the close asks before overwriting; Cancel keeps the window open and
// the other window's file.
TEST_F(Files, AFileChangedOnDiskIsOverwrittenOnlyWhenAsked) {
    start(true);
    enter(value(pHo), "7.5");
    ModelState other = factorystate();
    other.params[pHo].value = 7.0f;
    ASSERT_TRUE(writeconfigfile(other, ConfigForm::atclose, '.', file()));
    answer({{toolkit::SaveAnswer::Cancel, nullptr}, {toolkit::SaveAnswer::Overwrite, nullptr}});
    f().setoverwritequestion(saveanswers());
    for (const float saved : {7.0f, 7.5f}) {
        EXPECT_EQ(f().close(), saved == 7.5f);
        ASSERT_EQ(startstate(other, file()), ConfigStatus::read);
        EXPECT_EQ(other.params[pHo].value, saved);
    }
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_TRUE(asked[0].starts_with("Kelvora|The settings file\nKelvora.ini\nchanged on disk")) << asked[0];
    EXPECT_EQ(discards[0], "Close &without saving");
}

// Opening another file saves this one first; the question says what not saving does there.
TEST_F(Files, OpeningAnotherFileAsksInItsOwnWords) {
    start(true);
    enter(value(pHo), "7.5");
    for (const char* name : {configfilename, "b.ini"})
        ASSERT_TRUE(writeconfigfile(factorystate(), ConfigForm::atclose, '.', file(name)));
    answer({{toolkit::SaveAnswer::Discard, nullptr}});
    f().setoverwritequestion(saveanswers());
    Dialogs d = standarddialogs();
    d.openfile = [this](QWidget*, const QString&, const QString&) {
        return QString::fromStdString(file("b.ini"));
    };
    f().setdialogs(d);
    control<QAction>("openSettings")->trigger();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].ends_with("or open the other file without saving?")) << asked[0];
    EXPECT_EQ(discards[0], "Open &without saving");
    EXPECT_EQ(f().settingspath(), file("b.ini"));
}

} // namespace
} // namespace kelvora::uitest
