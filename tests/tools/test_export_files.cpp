// kelvora-export and the files it is pointed at: settings paths that are not plain files fail at once, and
// a picture never replaces a pipe, a folder or the settings file being read, nor leaves a half file.
#include "config/inifile.h"
#include "exportrun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace kelvora;
using kelvora::test::readfile;

namespace fs = std::filesystem;

TEST(ExportFiles, RefusedPathsAreLeftAsTheyAre) {
    test::ScratchDir dir;
    const fs::path work = dir / "work";
    fs::create_directory(work);
    ASSERT_TRUE(writeconfigfile(factorystate(T), ConfigForm::atclose, '.', work / configfilename));
    const std::string settings = readfile(work / configfilename);
    ASSERT_EQ(::mkfifo((work / "pipe").c_str(), 0644), 0); // nobody ever writes into it
    fs::create_directory(work / "folder");
    fs::create_symlink(configfilename, work / "link.svg");
    test::writefile(work / "old.png", "an older picture");

    const std::pair<std::string, const char*> cases[] = {
        // Settings that would block or never end are not read.
        {"table --config pipe", ": Not a regular file\n"},
        {"png old.png --config /dev/zero", ": Not a regular file\n"},
        {"pdf fig.pdf --config folder", ": Not a regular file\n"},
        {"png pipe", "exists and is not a regular file; it is left as it is\n"},
        {"svg folder", "exists and is not a regular file; it is left as it is\n"},
        // The settings file under any name, here through a link.
        {"svg link.svg", "is the configuration file being read; it is left as it is\n"},
        {"png missing/new.png", "No such file or directory\n"},
    };
    for (const auto& [args, why] : cases) {
        const test::ExportRun r = run(dir, args);
        test::expectrefused(r, 1, args);
        EXPECT_TRUE(r.err.ends_with(why)) << args << ": " << r.err;
    }
    EXPECT_EQ(readfile(work / configfilename), settings);
    EXPECT_EQ(readfile(work / "old.png"), "an older picture");
    EXPECT_EQ(fs::status(work / "pipe").type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_symlink(work / "link.svg") && fs::is_directory(work / "folder"));

    // A plain file is replaced; nothing else is left behind.
    ASSERT_EQ(run(dir, "png old.png").status, 0);
    EXPECT_EQ(readfile(work / "old.png").substr(1, 3), "PNG");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(work))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{configfilename, "folder", "link.svg", "old.png", "pipe"}));
}
