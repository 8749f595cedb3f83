// kelvora-export and the files it is pointed at: settings paths that are not plain files, and output
// names that must not be replaced by a picture.
#include "../config/configtest.h"
#include "config/inifile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kelvora;
using kelvora::test::readfile;

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out, err;
};

// Runs kelvora-export in dir/work; a run that still waits after half a minute counts as hung (status 124).
Outcome run(const test::ScratchDir& dir, const std::string& args) {
    const auto quoted = [](const fs::path& p) { return "'" + p.string() + "'"; };
    const std::string command = "cd " + quoted(dir / "work") + " && LC_ALL=C timeout 30 " +
                                quoted(KELVORA_EXPORT) + " " + args + " >" + quoted(dir / "stdout") + " 2>" +
                                quoted(dir / "stderr");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readfile(dir / "stdout"), readfile(dir / "stderr")};
}

bool oneline(const std::string& text) {
    return text.starts_with("kelvora-export") && std::count(text.begin(), text.end(), '\n') == 1 &&
           text.ends_with('\n');
}

TEST(ExportFiles, ASettingsPathThatIsNotAPlainFileFailsAtOnce) {
    test::ScratchDir dir;
    fs::create_directory(dir / "work");
    ASSERT_EQ(::mkfifo((dir / "work" / "pipe").c_str(), 0644), 0); // nobody ever writes into it
    for (const char* args :
         {"table --config pipe", "table --config /dev/zero", "png out.png --config pipe"}) {
        const Outcome r = run(dir, args);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_TRUE(oneline(r.err) && r.err.ends_with(": Not a regular file\n")) << args << ": " << r.err;
    }
    EXPECT_FALSE(fs::exists(dir / "work" / "out.png"));
}

// Refused with exit status 1 and one line: a device, a pipe, and the settings file being read under any
// name. A new or existing plain file is written.
TEST(ExportFiles, PngNeverReplacesADeviceAPipeOrTheSettingsFile) {
    test::ScratchDir dir;
    const fs::path work = dir / "work";
    fs::create_directory(work);
    ASSERT_TRUE(writeconfigfile(factorystate(T), ConfigForm::atclose, '.', work / configfilename));
    ASSERT_TRUE(writeconfigfile(factorystate(Mg), ConfigForm::atclose, '.', work / "other.ini"));
    const std::string settings = readfile(work / configfilename), other = readfile(work / "other.ini");
    ASSERT_EQ(::mkfifo((work / "pipe").c_str(), 0644), 0);
    // Making a device needs the superuser; it is a copy of /dev/null, so nothing of the system's is at stake.
    const bool device =
        ::geteuid() == 0 && ::mknod((work / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    fs::create_symlink(configfilename, work / "link.png");
    fs::create_hard_link(work / configfilename, work / "hard.png");
    fs::create_symlink("other.ini", work / "otherlink.ini");
    test::writefile(work / "old.png", "an older picture");

    struct Case {
        std::string args;
        int status;
        const char* why; // the end of the line on standard error
    };
    std::vector<Case> cases = {
        {"png pipe", 1, "exists and is not a regular file; it is left as it is\n"},
        {"png Kelvora.ini", 1, "is the configuration file being read; it is left as it is\n"},
        {"png link.png", 1, "is the configuration file being read; it is left as it is\n"},
        {"png hard.png", 1, "is the configuration file being read; it is left as it is\n"},
        {"png ./other.ini --config otherlink.ini", 1,
         "is the configuration file being read; it is left as it is\n"},
        {"png new.png", 0, ""},
        {"png old.png --config other.ini", 0, ""},
    };
    if (device) cases.push_back({"png null", 1, "exists and is not a regular file; it is left as it is\n"});
    for (const Case& c : cases) {
        const Outcome r = run(dir, c.args);
        EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
        if (c.status != 0) {
            EXPECT_TRUE(oneline(r.err) && r.err.ends_with(c.why)) << c.args << ": " << r.err;
        }
    }
    EXPECT_EQ(readfile(work / configfilename), settings);
    EXPECT_EQ(readfile(work / "other.ini"), other);
    EXPECT_TRUE(fs::is_symlink(work / "link.png") && fs::is_symlink(work / "otherlink.ini"));
    EXPECT_EQ(fs::status(work / "pipe").type(), fs::file_type::fifo);
    if (device) {
        EXPECT_EQ(fs::status(work / "null").type(), fs::file_type::character);
    }
    EXPECT_EQ(readfile(work / "new.png").substr(1, 3), "PNG");
    EXPECT_EQ(readfile(work / "old.png").substr(1, 3), "PNG");
}

} // namespace
