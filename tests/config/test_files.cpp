#include "config/inifile.h"
#include "config/startup.h"
#include "configtest.h"
#include "model/entry.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace kelvora;
using kelvora::test::readfile;
using kelvora::test::ScratchDir;
using kelvora::test::writefile;

namespace {

const std::vector<std::string> onlyconfig = {configfilename};
const std::string oldsettings = "old settings\r\n";

bool runningasroot() {
    return geteuid() == 0;
}

// A state changed from the defaults, and where it shows.
ModelState changedstate() {
    ModelState s = factorystate(T);
    applyvalue(s, pHo, 1, "7.5");
    return s;
}

} // namespace

TEST(ConfigWrite, CreatesOrReplacesTheFileAndLeavesNothingElse) {
    ScratchDir dir;
    const std::filesystem::path file = dir / configfilename;
    ASSERT_TRUE(writeconfigfile(factorystate(), ConfigForm::firststart, '.', file));
    EXPECT_EQ(readfile(file), configtext(factorystate(), ConfigForm::firststart, '.'));
    EXPECT_EQ(dir.entries(), onlyconfig);
    writefile(file, oldsettings);
    ASSERT_TRUE(writeconfigfile(changedstate(), ConfigForm::atclose, ',', file));
    EXPECT_EQ(readfile(file), configtext(changedstate(), ConfigForm::atclose, ','));
    EXPECT_EQ(dir.entries(), onlyconfig);
}

TEST(ConfigWrite, FailuresKeepWhatWasThere) {
    ScratchDir dir;
    // A directory of that name, with its contents.
    std::filesystem::create_directory(dir / configfilename);
    writefile(dir / configfilename / "inside", "kept");
    EXPECT_FALSE(writeconfigfile(factorystate(), ConfigForm::atclose, '.', dir / configfilename));
    EXPECT_TRUE(std::filesystem::is_directory(dir / configfilename));
    EXPECT_EQ(readfile(dir / configfilename / "inside"), "kept");
    EXPECT_EQ(dir.entries(), onlyconfig);
    // A missing directory.
    EXPECT_FALSE(writeconfigfile(factorystate(), ConfigForm::atclose, '.', dir / "gone" / configfilename));
    EXPECT_EQ(dir.entries(), onlyconfig);
}

TEST(ConfigWrite, ReadOnlyDirectoryKeepsTheOldFile) {
    if (runningasroot()) GTEST_SKIP() << "permissions do not bind root";
    ScratchDir dir;
    writefile(dir / configfilename, oldsettings);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(writeconfigfile(factorystate(), ConfigForm::atclose, '.', dir / configfilename));
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(readfile(dir / configfilename), oldsettings);
    EXPECT_EQ(dir.entries(), onlyconfig);
}

// A full disk, imitated by a file size limit in a child process: the write fails part way.
TEST(ConfigWrite, FullDiskKeepsTheOldFile) {
    ScratchDir dir;
    writefile(dir / configfilename, oldsettings);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(writeconfigfile(factorystate(), ConfigForm::atclose, '.', dir / configfilename) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "the write reported success";
    EXPECT_EQ(readfile(dir / configfilename), oldsettings);
    EXPECT_EQ(dir.entries(), onlyconfig);
}

TEST(ConfigReadFile, NumbersAcrossChunkBoundaries) {
    // The number "12.25" starts `before` bytes ahead of the 64 KiB boundary where the file is read in
    // pieces: split inside the number, right at it, and with its CR LF pair split (before 6).
    ScratchDir dir;
    constexpr std::size_t chunk = 64 * 1024;
    for (const std::size_t before : {0, 1, 2, 3, 5, 6, 7}) {
        std::string text = "#" + std::string(chunk - before - 3, ' ') + "\r\n";
        ASSERT_EQ(text.size(), chunk - before);
        text += "12.25\r\n 7.5\r\n";
        writefile(dir / configfilename, text);
        ModelState s = factorystate();
        ASSERT_TRUE(readconfigfile(s, dir / configfilename));
        EXPECT_EQ(s.params[ATPin].value, 12.25f) << before;
        EXPECT_EQ(s.params[ATPin].min, 7.5) << before;
    }
}

TEST(ConfigReadFile, UnreadableFileLeavesTheStateAlone) {
    ScratchDir dir;
    ModelState s = factorystate();
    s.params[pHo].value = 7.5f;
    EXPECT_FALSE(readconfigfile(s, dir / configfilename)); // missing
    std::filesystem::create_directory(dir / configfilename);
    EXPECT_FALSE(readconfigfile(s, dir / configfilename)); // a directory
    EXPECT_EQ(s.params[pHo].value, 7.5f);
    EXPECT_EQ(s.yaxis, ratioaxis);
    if (runningasroot()) return;
    std::filesystem::remove(dir / configfilename);
    writefile(dir / configfilename, "5\r\n");
    std::filesystem::permissions(dir / configfilename, std::filesystem::perms::none);
    EXPECT_FALSE(readconfigfile(s, dir / configfilename));
    EXPECT_EQ(s.params[ATPin].value, 6.0f);
}

TEST(StartState, NoFileGivesTheDefaultsAndWritesNothing) {
    ScratchDir dir;
    ModelState s = changedstate();
    s.xmin = -300;
    s.pKa2 = 5;
    EXPECT_EQ(startstate(s, dir / configfilename), ConfigStatus::absent);
    const ModelState factory = factorystate();
    for (int i = 0; i <= lastindex; ++i) {
        EXPECT_EQ(s.params[i].value, factory.defaults[i].value) << i;
        EXPECT_EQ(s.params[i].min, factory.defaults[i].min) << i;
        EXPECT_EQ(s.params[i].max, factory.defaults[i].max) << i;
        EXPECT_EQ(s.params[i].inc, factory.defaults[i].inc) << i;
        EXPECT_EQ(s.params[i].tag, factory.defaults[i].tag) << i;
    }
    EXPECT_EQ(s.yaxis, ratioaxis);
    EXPECT_EQ(s.xmin, defaultxmin);
    EXPECT_EQ(s.pKa2, defaultpKa2);
    EXPECT_TRUE(dir.entries().empty());
}

TEST(StartState, FileIsReadAndLeftAsItWas) {
    ScratchDir dir;
    ASSERT_TRUE(writeconfigfile(changedstate(), ConfigForm::atclose, '.', dir / configfilename));
    const std::string written = readfile(dir / configfilename);
    ModelState started;
    EXPECT_EQ(startstate(started, dir / configfilename), ConfigStatus::read);
    EXPECT_EQ(started.params[pHo].value, 7.5f);
    EXPECT_EQ(started.yaxis, T);
    EXPECT_EQ(started.defaults[pHo].value, 7.25f);
    EXPECT_EQ(started.limits[pHo].max, 20.0);
    EXPECT_EQ(readfile(dir / configfilename), written);
    // A hidden file is present too.
    writefile(dir / ".hidden.ini", "7\r\n");
    EXPECT_EQ(startstate(started, dir / ".hidden.ini"), ConfigStatus::read);
    EXPECT_EQ(started.params[ATPin].value, 7.0f);
}

TEST(StartState, UnreadableFileFailsWithTheDefaults) {
    ScratchDir dir;
    std::filesystem::create_directory(dir / configfilename);
    ModelState s = changedstate();
    EXPECT_EQ(startstate(s, dir / configfilename), ConfigStatus::failed);
    EXPECT_EQ(s.params[pHo].value, 7.25f);
    // A dangling link is present, but cannot be read.
    std::filesystem::create_symlink(dir / "nowhere", dir / "link.ini");
    EXPECT_EQ(startstate(s, dir / "link.ini"), ConfigStatus::failed);
}
