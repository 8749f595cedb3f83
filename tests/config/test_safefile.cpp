// The one safe writer: the temporary files it leaves to their writers, long names, files changed on disk
// or protected from the user, owners kept; and file names shown readably.
#include "config/inifile.h"
#include "config/shownname.h"
#include "config/startup.h"
#include "configtest.h"

#include <gtest/gtest.h>

#include <climits>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace kelvora;
using namespace kelvora::test;

namespace {

namespace fs = std::filesystem;

constexpr std::size_t longname = 250; // fits a folder, but not with 18 more bytes
constexpr uid_t nobody = 65534;

bool save(const ModelState& s, const fs::path& file, std::error_code& error, const SafeWrite& options = {}) {
    return writeconfigfile(s, ConfigForm::atclose, '.', file, error, options);
}

// A save removes what interrupted saves left, in the shortened form of a long name too, but never the
// temporary file that another writer holds locked.
TEST(SafeFile, ASaveRemovesStaleTemporaryFilesButNotOneBeingWritten) {
    ScratchDir dir;
    for (const fs::path& target : {dir / configfilename, dir / std::string(longname, 'k')}) {
        const fs::path stale = tempname(target, "0123456789ab");
        const fs::path held = tempname(target, "ba9876543210");
        EXPECT_LE(held.filename().string().size(), std::size_t{NAME_MAX});
        writefile(stale, "complete but never renamed");
        writefile(held, "still being written");
        const int fd = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(fd, LOCK_EX), 0);
        std::error_code error;
        EXPECT_TRUE(save(factorystate(T), target, error)) << error.message();
        EXPECT_FALSE(fs::exists(stale)) << stale;
        EXPECT_TRUE(fs::exists(held)) << held;
        ::close(fd);
        removestaletemps(target);
        EXPECT_FALSE(fs::exists(held)) << held;
    }
}

// A save that knows the file as it was read fails, and leaves the file, when anything wrote or removed
// it since; overwriting is the caller's explicit choice, and the stamp of its own save lets the next
// save through.
TEST(SafeFile, AFileChangedOnDiskIsNotOverwritten) {
    ScratchDir dir;
    const fs::path file = dir / configfilename;
    const ModelState mine = factorystate(T);
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
        EXPECT_FALSE(save(mine, file, error, {&stamp, &stamp})) << what;
        EXPECT_EQ(error, filechanged()) << what;
        EXPECT_EQ(readfile(file), after) << what;
        ASSERT_TRUE(save(mine, file, error, {nullptr, &stamp})) << what;
        EXPECT_TRUE(save(mine, file, error, {&stamp, &stamp})) << what << ": " << error.message();
    }
}

// File modes do not bind the superuser: ctest runs this once more as another user.
TEST(AsUser, AWriteProtectedFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "file modes do not bind the superuser";
    ScratchDir dir;
    const fs::path file = dir / configfilename;
    std::error_code error;
    ASSERT_TRUE(save(factorystate(), file, error));
    const std::string old = readfile(file);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(save(factorystate(T), file, error));
    EXPECT_EQ(error, std::errc::permission_denied);
    EXPECT_EQ(readfile(file), old);
    EXPECT_EQ(dir.size(), 1u);
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
        {"Kelvora.ini", "Kelvora.ini"},
        {"caf\xc3\xa9.ini", "caf\xc3\xa9.ini"},
        {"\xef\xbf\xbd.ini", "\xef\xbf\xbd.ini"}, // the replacement character is text like any other
        {"caf\xe9.ini", "caf\\xe9.ini"},
        {"\x97.png", "\\x97.png"},
        {"a\nb\r\x7f.ini", "a\\x0ab\\x0d\\x7f.ini"},
        {"back\\slash", "back\\\\slash"},
        {"\xc0\xaf", "\\xc0\\xaf"},                         // an over-long "/"
        {"\xed\xa0\x80", "\\xed\\xa0\\x80"},                // a surrogate
        {"\xe2\x82", "\\xe2\\x82"},                         // cut short
        {"a\xe2\x80\xa8z\xc2\x85", "a\\u{2028}z\\u{0085}"}, // line separators beyond ASCII
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(shownname(name), shown) << shown;
}

} // namespace
