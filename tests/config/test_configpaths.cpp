// What a settings path may name besides a plain file: pipes, devices, folders and links, and the
// temporary files that an interrupted save leaves beside the file.
#include "config/inifile.h"
#include "config/startup.h"
#include "configtest.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

using namespace kelvora;
using namespace kelvora::test;

namespace {

namespace fs = std::filesystem;

TEST(ConfigPaths, OnlyRegularFilesAreReadAndADanglingLinkIsAFirstStart) {
    ScratchDir dir;
    fs::create_directory(dir / "folder");
    fs::create_symlink("loop", dir / "loop");
    fs::create_symlink("store/new.ini", dir / "dangling");
    struct Case {
        fs::path path;
        ConfigStatus status;
        std::string why;
    };
    // A pipe is the window's case, with what it must not wait for.
    for (const Case& c : {Case{dir / "folder", ConfigStatus::failed, "Not a regular file"},
                          Case{dir / "loop", ConfigStatus::failed, "Too many levels of symbolic links"},
                          Case{dir / "dangling", ConfigStatus::absent, "Success"}}) {
        ModelState s = factorystate(T);
        s.xmin = -100;
        std::error_code error;
        EXPECT_EQ(startstate(s, c.path, error), c.status) << c.path;
        EXPECT_EQ(error.message(), c.why) << c.path;
        EXPECT_EQ(numbers(s), numbers(factorystate())) << c.path;
    }
}

// A link stays a link and its target gets the text, written in the target's folder; a replaced file
// keeps its permission bits (not those of a new temporary file).
TEST(ConfigPaths, SavingWritesThroughLinksAndKeepsPermissions) {
    ScratchDir dir;
    fs::create_directory(dir / "store");
    writefile(dir / "store" / "real.ini", "old");
    ASSERT_EQ(::chmod((dir / "store" / "real.ini").c_str(), 0640), 0);
    fs::create_symlink("store/real.ini", dir / "hop");
    fs::create_symlink("hop", dir / configfilename);
    fs::create_symlink(dir / "store" / "new.ini", dir / "dangling");

    const ModelState s = factorystate(T);
    const std::string text = configtext(s, ConfigForm::atclose, '.');
    for (const char* name : {configfilename, "dangling"})
        ASSERT_TRUE(writeconfigfile(s, ConfigForm::atclose, '.', dir / name)) << name;
    EXPECT_TRUE(fs::is_symlink(dir / configfilename) && fs::is_symlink(dir / "hop"));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling"));
    EXPECT_EQ(readfile(dir / "store" / "real.ini"), text);
    EXPECT_EQ(readfile(dir / "store" / "new.ini"), text);
    EXPECT_EQ(fs::status(dir / "store" / "real.ini").permissions(), fs::perms(0640));
    EXPECT_EQ(dir.size(), 4u); // store, hop and the two links: nothing left over
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "store"), {}), 2);

    // A pipe of that name is not replaced.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    std::error_code error;
    EXPECT_FALSE(writeconfigfile(s, ConfigForm::atclose, '.', dir / "pipe", error));
    EXPECT_EQ(error, notregularfile());
    EXPECT_EQ(fs::status(dir / "pipe").type(), fs::file_type::fifo);
}

// Exactly the writer's temporary names for the target go, beside the link's target; look-alikes stay.
TEST(ConfigPaths, StaleTemporaryFilesOfTheTargetAreRemoved) {
    const std::vector<std::string> stale = {".real.ini.0123456789ab.tmp", ".real.ini.ffffffffffff.tmp"};
    const std::vector<std::string> others = {".real.ini.0123456789AB.tmp", ".real.ini.0123456789a.tmp",
                                             ".real.ini.0123456789ab.tmp~", ".other.ini.0123456789ab.tmp"};
    ScratchDir dir;
    fs::create_directory(dir / "store");
    fs::create_symlink("store/real.ini", dir / configfilename);
    for (const std::string& name : stale)
        writefile(dir / "store" / name, "complete but never renamed");
    for (const std::string& name : others)
        writefile(dir / "store" / name, "someone else's");
    fs::create_directory(dir / "store" / ".real.ini.000000000000.tmp");
    removestaletemps(dir / configfilename);
    for (const std::string& name : stale)
        EXPECT_FALSE(fs::exists(dir / "store" / name)) << name;
    for (const std::string& name : others)
        EXPECT_TRUE(fs::exists(dir / "store" / name)) << name;
    EXPECT_TRUE(fs::is_directory(dir / "store" / ".real.ini.000000000000.tmp"));
}

} // namespace
