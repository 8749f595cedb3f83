// kelvora-export and the files it is pointed at: settings paths that are not plain files fail at once, and
// a picture never replaces a pipe, a folder or the settings file being read, nor leaves a half file.
#include "exportrun.h"

#include <climits>
#include <sys/stat.h>
#include <tuple>

using namespace kelvora;
using namespace kelvora::test;
using ExportFiles = ExportTest;

namespace fs = std::filesystem;

TEST_F(ExportFiles, RefusedPathsAreLeftAsTheyAre) {
    settings(factorystate(T), configfilename);
    const std::string before = readfile(work / configfilename);
    ASSERT_EQ(::mkfifo((work / "pipe").c_str(), 0644), 0); // nobody ever writes into it
    fs::create_directory(work / "folder");
    fs::create_symlink(configfilename, work / "link.svg");
    test::writefile(work / "old.png", "an older picture");

    const std::pair<std::string, const char*> cases[] = {
        // Settings that would block or never end are not read (a folder is the settings reader's case).
        {"table --config pipe", ": Not a regular file\n"},
        {"png old.png --config /dev/zero", ": Not a regular file\n"},
        {"config-from /dev/zero", ": Not a regular file\n"},
        {"png pipe", "exists and is not a regular file; it is left as it is\n"},
        {"svg folder", "exists and is not a regular file; it is left as it is\n"},
        // The settings file under any name, here through a link.
        {"svg link.svg", "is the configuration file being read; it is left as it is\n"},
        {"png missing/new.png", "No such file or directory\n"},
    };
    for (const auto& [args, why] : cases) {
        const test::ExportRun r = run(args);
        test::expectrefused(r, 1, args);
        EXPECT_TRUE(r.err.ends_with(why)) << args << ": " << r.err;
    }
    EXPECT_EQ(readfile(work / configfilename), before);
    EXPECT_EQ(readfile(work / "old.png"), "an older picture");
    EXPECT_EQ(fs::status(work / "pipe").type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_symlink(work / "link.svg"));
    EXPECT_TRUE(fs::is_directory(work / "folder"));

    // A plain file is replaced; nothing else is left behind: the five entries are those checked above.
    ASSERT_EQ(run("png old.png").status, 0);
    EXPECT_EQ(readfile(work / "old.png").substr(1, 3), "PNG");
    EXPECT_EQ(std::distance(fs::directory_iterator(work), {}), 5);
}

// A name is the bytes given, invalid UTF-8 and all: what is checked is what is written, and a refusal
// shows the name escaped, on one line.
TEST_F(ExportFiles, NamesAreBytes) {
    const std::string replacement = "\xef\xbf\xbd"; // what a decoder makes of an invalid byte
    settings(factorystate(T), replacement + ".ini");
    const std::string before = readfile(work / (replacement + ".ini"));
    const std::string pipes[] = {replacement + ".png", "caf\xe9.pdf", "a\nb.svg"};
    for (const std::string& pipe : pipes)
        ASSERT_EQ(::mkfifo((work / pipe).c_str(), 0644), 0) << pipe;
    fs::create_directory(work / "\x97");

    const std::tuple<std::string, std::string, const char*> cases[] = {
        {"png '\x97.ini' --config '" + replacement + ".ini'", "\x97.ini", nullptr},
        {"png '\x97.png'", "\x97.png", nullptr},
        {"svg 'caf\xe9.svg'", "caf\xe9.svg", nullptr},
        {"pdf 'caf\xe9.pdf'", "", "'caf\\xe9.pdf' exists and is not a regular file; it is left as it is\n"},
        {"config-from 'caf\xe9.pdf'", "", "cannot read 'caf\\xe9.pdf': Not a regular file\n"},
        {"svg 'a\nb.svg'", "", "'a\\x0ab.svg' exists and is not a regular file; it is left as it is\n"},
        {"png x.png --config '\x97'", "", "file '\\x97': Not a regular file\n"},
    };
    for (const auto& [args, written, why] : cases) {
        const test::ExportRun r = run(args);
        if (why) {
            test::expectrefused(r, 1, args);
            EXPECT_TRUE(r.err.ends_with(why)) << r.err;
        } else {
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_GT(fs::file_size(work / written), 0u) << args;
        }
    }
    EXPECT_EQ(readfile(work / (replacement + ".ini")), before);
    // The three pipes, the folder, the settings and the three pictures: nothing under a decoded name.
    EXPECT_EQ(std::distance(fs::directory_iterator(work), {}), 8);
    EXPECT_EQ(fs::status(work / pipes[0]).type(), fs::file_type::fifo); // not replaced by "\x97.png"
}

// Every failure names the system's reason (png, svg and pdf share the writer): a file size limit stands
// in for a full disk, and help or version text that cannot be written fails too.
TEST_F(ExportFiles, FailuresNameTheSystemsReason) {
    const std::tuple<std::string, std::string, const char*> cases[] = {
        {"png out.png", "trap '' XFSZ; ulimit -f 1;", ": File too large\n"},
        {"pdf " + std::string(NAME_MAX + 1, 'x') + ".pdf", "", ": File name too long\n"},
    };
    for (const auto& [args, before, why] : cases) {
        const test::ExportRun r = test::run(dir, args, "C", before);
        test::expectrefused(r, 1, args);
        EXPECT_TRUE(r.err.ends_with(why)) << args << ": " << r.err;
        EXPECT_TRUE(fs::is_empty(work)) << args; // no half file, no temporary file
    }
    for (const char* args : {"--help", "--version", "png --help"}) {
        const test::ExportRun r = shell(dir, "'" KELVORA_EXPORT "' " + std::string(args) + " >/dev/full");
        test::expectrefused(r, 1, args);
        EXPECT_TRUE(r.err.ends_with(": No space left on device\n")) << args;
    }
}
