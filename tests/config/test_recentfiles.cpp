// The list of recent settings files: any bytes but NUL in a name, newest first, never longer than its
// count, and nothing but absolute names taken from a file that the window did not write.
#include "config/recentfiles.h"
#include "configtest.h"

#include <cstdlib>

namespace kelvora::test {
namespace {

using namespace std::string_literals;

TEST(RecentFiles, NamesOfAnyBytesComeBackNewestFirstAndCut) {
    ScratchDir dir;
    const std::filesystem::path list = dir / "state" / "kelvora" / "recent-files";
    std::vector<std::string> names;
    for (std::size_t i = 0; i <= recentcount; ++i)
        names = withrecent(names, "/tmp/" + std::to_string(i) + ".ini");
    names = withrecent(names, "/tmp/caf\xe9\nline.ini");
    names = withrecent(names, "/tmp/5.ini");
    std::error_code error;
    ASSERT_TRUE(writerecent(list, names, error)) << error.message();
    const std::vector<std::string> back = readrecent(list);
    ASSERT_EQ(back.size(), recentcount);
    EXPECT_EQ(back, names);
    EXPECT_EQ(back[0], "/tmp/5.ini");
    EXPECT_EQ(back[1], "/tmp/caf\xe9\nline.ini");
}

TEST(RecentFiles, ALoneFolderOrForeignBytesGiveAnEmptyOrPartialList) {
    ScratchDir dir;
    EXPECT_TRUE(readrecent(dir / "missing").empty());
    EXPECT_TRUE(readrecent(dir / "").empty());
    writefile(dir / "list", "relative.ini\0/a.ini\0/a.ini\0/b.ini\0/unended"s);
    EXPECT_EQ(readrecent(dir / "list"), (std::vector<std::string>{"/a.ini", "/b.ini"}));
    writefile(dir / "plain", "a file\n");
    std::error_code error;
    EXPECT_FALSE(writerecent(dir / "plain" / "list", {"/a.ini"}, error));
}

TEST(RecentFiles, TheListLivesInTheStateFolder) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("XDG_STATE_HOME", "/s", 1);
    EXPECT_EQ(recentlistpath(), "/s/kelvora/recent-files");
    setenv("XDG_STATE_HOME", "relative", 1);
    EXPECT_EQ(recentlistpath(), home.starts_with('/') ? home + "/.local/state/kelvora/recent-files" : "");
    unsetenv("XDG_STATE_HOME");
}

} // namespace
} // namespace kelvora::test
