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

using namespace kelvora;
using namespace kelvora::test;

// The new text goes to a temporary file renamed over the old one: every failure keeps what was there.
TEST(ConfigWrite, CreatesOrReplacesTheFileAndFailuresKeepWhatWasThere) {
    ScratchDir dir;
    const std::filesystem::path file = dir / configfilename;
    const std::string oldsettings = configtext(factorystate(), ConfigForm::firststart, '.');
    ASSERT_TRUE(writeconfigfile(factorystate(), ConfigForm::firststart, '.', file));
    EXPECT_EQ(readfile(file), oldsettings);
    ASSERT_TRUE(writeconfigfile(factorystate(T), ConfigForm::atclose, ',', file));
    EXPECT_EQ(readfile(file), configtext(factorystate(T), ConfigForm::atclose, ','));
    EXPECT_EQ(dir.size(), 1u);
    writefile(file, oldsettings);
    // A missing directory; a directory of that name, with its contents.
    EXPECT_FALSE(writeconfigfile(factorystate(), ConfigForm::atclose, '.', dir / "gone" / configfilename));
    std::filesystem::create_directory(dir / "sub.ini");
    writefile(dir / "sub.ini" / "inside", "kept");
    EXPECT_FALSE(writeconfigfile(factorystate(), ConfigForm::atclose, '.', dir / "sub.ini"));
    EXPECT_EQ(readfile(dir / "sub.ini" / "inside"), "kept");
    // A full disk, imitated by a file size limit in a child process: the write fails part way.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(writeconfigfile(factorystate(), ConfigForm::atclose, '.', file) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << "the write reported success";
    EXPECT_EQ(readfile(file), oldsettings);
    EXPECT_EQ(dir.size(), 2u);
    if (geteuid() == 0) return; // permissions do not bind root
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(writeconfigfile(factorystate(), ConfigForm::atclose, '.', file));
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(readfile(file), oldsettings);
    EXPECT_EQ(dir.size(), 2u);
}

TEST(ConfigReadFile, NumbersAcrossChunkBoundaries) {
    // The number "12.25" starts `before` bytes ahead of the 64 KiB boundary where the file is read in
    // pieces: split inside the number, right at it, and with its CR LF pair split (before 6).
    ScratchDir dir;
    constexpr std::size_t chunk = 64 * 1024;
    for (const std::size_t before : {0, 1, 2, 3, 5, 6, 7}) {
        writefile(dir / configfilename, "#" + std::string(chunk - before - 3, ' ') + "\r\n12.25\r\n 7.5\r\n");
        ModelState s = factorystate();
        ASSERT_TRUE(readconfigfile(s, dir / configfilename));
        EXPECT_EQ(s.params[ATPin].value, 12.25f) << before;
        EXPECT_EQ(s.params[ATPin].min, 7.5) << before;
    }
}

TEST(StartState, FileOrDefaultsAndNothingWritten) {
    ScratchDir dir;
    ModelState s = factorystate(T);
    applyvalue(s, pHo, 1, "7.5");
    ModelState started = s;
    EXPECT_EQ(startstate(started, dir / configfilename), ConfigStatus::absent);
    EXPECT_EQ(numbers(started), numbers(factorystate()));
    EXPECT_EQ(dir.size(), 0u);
    ASSERT_TRUE(writeconfigfile(s, ConfigForm::atclose, '.', dir / configfilename));
    const std::string written = readfile(dir / configfilename);
    EXPECT_EQ(startstate(started, dir / configfilename), ConfigStatus::read);
    EXPECT_EQ(started.params[pHo].value, 7.5f);
    EXPECT_EQ(started.yaxis, T);
    EXPECT_EQ(started.defaults[pHo].value, 7.25f);
    EXPECT_EQ(readfile(dir / configfilename), written);
    // A directory of that name, and a dangling link, cannot be read: the defaults, and the caller learns it.
    std::filesystem::create_directory(dir / "sub.ini");
    EXPECT_EQ(startstate(started, dir / "sub.ini"), ConfigStatus::failed);
    EXPECT_EQ(started.params[pHo].value, 7.25f);
    std::filesystem::create_symlink(dir / "nowhere", dir / "link.ini");
    EXPECT_EQ(startstate(started, dir / "link.ini"), ConfigStatus::failed);
    // readconfigfile leaves the state alone when it fails.
    s.params[pHo].value = 7.5f;
    EXPECT_FALSE(readconfigfile(s, dir / "missing.ini"));
    EXPECT_FALSE(readconfigfile(s, dir / "sub.ini"));
    EXPECT_EQ(s.params[pHo].value, 7.5f);
    EXPECT_EQ(s.yaxis, T);
}
