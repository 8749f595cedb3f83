// What a settings path may name besides a plain file: pipes, devices, folders and links; the temporary
// files that an interrupted save leaves beside the file and those another writer still holds; long
// names, files changed on disk, owners kept; and file names shown readably. A write-protected file is
// refused with the reason that the window's question shows (see the window's file tests, which run as
// another user too).
#include "config/inifile.h"
#include "config/shownname.h"
#include "config/startup.h"
#include "configtest.h"

#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
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
    // A pipe is the window's case, with what it must not wait for.
    const std::tuple<const char*, ConfigStatus, std::string> cases[] = {
        {"folder", ConfigStatus::failed, "Not a regular file"},
        {"loop", ConfigStatus::failed, "Too many levels of symbolic links"},
        {"dangling", ConfigStatus::absent, "Success"}};
    for (const auto& [name, status, why] : cases) {
        ModelState s = factorystate(T);
        s.xmin = -100;
        std::error_code error;
        EXPECT_EQ(startstate(s, dir / name, error), status) << name;
        EXPECT_EQ(error.message(), why) << name;
        EXPECT_EQ(numbers(s), numbers(factorystate())) << name;
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
    for (const char* name : {configfilename, "hop", "dangling"})
        EXPECT_TRUE(fs::is_symlink(dir / name)) << name;
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

constexpr std::size_t longname = 250; // fits a folder, but not with 18 more bytes
constexpr uid_t nobody = 65534;

bool save(const ModelState& s, const fs::path& file, std::error_code& error, const SafeWrite& options = {}) {
    return writeconfigfile(s, ConfigForm::atclose, '.', file, error, options);
}

// A save removes exactly the writer's temporary names for the target, beside a link's target and in the
// shortened form of a long name; look-alikes stay, and so does the one that another writer holds locked,
// until it lets go.
TEST(SafeFile, ASaveRemovesStaleTemporaryFilesButNotLookAlikesOrOneBeingWritten) {
    const std::pair<std::string, bool> files[] = {
        // whether the name is the writer's, and goes
        {".real.ini.0123456789ab.tmp", true},   {".real.ini.ffffffffffff.tmp", true},
        {".real.ini.0123456789AB.tmp", false},  {".real.ini.0123456789a.tmp", false},
        {".real.ini.0123456789ab.tmp~", false}, {".other.ini.0123456789ab.tmp", false}};
    ScratchDir dir;
    fs::create_directory(dir / "store");
    fs::create_symlink("store/real.ini", dir / configfilename);
    for (const auto& [name, stale] : files)
        writefile(dir / "store" / name, stale ? "complete but never renamed" : "someone else's");
    fs::create_directory(dir / "store" / ".real.ini.000000000000.tmp");
    // The name saved to, and the file written.
    const fs::path longpath = dir / std::string(longname, 'k');
    const std::pair<fs::path, fs::path> targets[] = {{dir / configfilename, dir / "store" / "real.ini"},
                                                     {longpath, longpath}};
    for (const auto& [saved, written] : targets) {
        const fs::path stale = tempname(written, "0123456789ab"), held = tempname(written, "ba9876543210");
        writefile(stale, "complete but never renamed");
        writefile(held, "still being written");
        const int fd = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(fd, LOCK_EX), 0);
        std::error_code error;
        EXPECT_TRUE(save(factorystate(T), saved, error)) << error.message();
        EXPECT_FALSE(fs::exists(stale)) << stale;
        EXPECT_TRUE(fs::exists(held)) << held;
        ::close(fd);
        removestaletemps(saved);
        EXPECT_FALSE(fs::exists(held)) << held;
    }
    for (const auto& [name, stale] : files)
        EXPECT_NE(fs::exists(dir / "store" / name), stale) << name;
    EXPECT_TRUE(fs::is_directory(dir / "store" / ".real.ini.000000000000.tmp"));
}

// A save that knows the file as it was read fails, and leaves the file, when anything wrote or removed
// it since; overwriting is the caller's explicit choice, and the stamp of its own save lets the next
// save through.
TEST(SafeFile, AFileChangedOnDiskIsNotOverwritten) {
    ScratchDir dir;
    const fs::path file = dir / configfilename;
    std::error_code error;
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"another window's save", [&] { save(factorystate(), file, error); }},
        {"an edit in place", [&] { std::ofstream(file, std::ios::app) << "# note\r\n"; }},
        {"removed", [&] { fs::remove(file); }},
    };
    for (const auto& [what, change] : changes) {
        ASSERT_TRUE(save(factorystate(), file, error));
        ModelState s;
        FileStamp stamp;
        ASSERT_EQ(startstate(s, file, error, &stamp), ConfigStatus::read);
        change();
        const std::string after = readfile(file);
        EXPECT_FALSE(save(factorystate(T), file, error, {&stamp, &stamp})) << what;
        EXPECT_EQ(error, filechanged()) << what;
        EXPECT_EQ(readfile(file), after) << what;
        ASSERT_TRUE(save(factorystate(T), file, error, {nullptr, &stamp})) << what;
        EXPECT_TRUE(save(factorystate(T), file, error, {&stamp, &stamp})) << what << ": " << error.message();
    }
}

TEST(SafeFile, TheOwnerIsKeptWhenSavingAsRoot) {
    if (::geteuid() != 0) GTEST_SKIP() << "only the superuser may give a file away";
    ScratchDir dir;
    const fs::path file = dir / configfilename;
    std::error_code error;
    ASSERT_TRUE(save(factorystate(), file, error));
    ASSERT_EQ(::chown(file.c_str(), nobody, nobody), 0);
    ASSERT_TRUE(save(factorystate(T), file, error));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, nobody);
    EXPECT_EQ(info.st_gid, nobody);
}

TEST(ShownName, InvalidBytesAndLineBreaksAreEscaped) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xef\xbf\xbd.ini", "\xef\xbf\xbd.ini"}, // the replacement character is text like any other
        {"caf\xe9.ini", "caf\\xe9.ini"},
        {"a\nb\r\x7f.ini", "a\\x0ab\\x0d\\x7f.ini"},
        {"back\\slash", "back\\\\slash"},
        {"a\xe2\x80\xa8z\xc2\x85", "a\\u{2028}z\\u{0085}"}, // line separators beyond ASCII
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(shownname(name), shown) << shown;
}

} // namespace
