// Runs the built kelvora-export as a separate process, as a user or a script would.
#pragma once

#include "../config/configtest.h"
#include "config/inifile.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace kelvora::test {

struct ExportRun {
    int status = -1; // exit status, or -1 when the program did not exit normally
    std::string out, err;
};

// Runs the shell command in dir/work, its standard output and error kept. A command that still waits after
// half a minute counts as hung (status 124).
inline ExportRun shell(const ScratchDir& dir, const std::string& command) {
    const auto quoted = [](const std::filesystem::path& p) { return "'" + p.string() + "'"; };
    const std::string line = "cd " + quoted(dir / "work") + " && { " + command + "; } >" +
                             quoted(dir / "stdout") + " 2>" + quoted(dir / "stderr");
    const int status = std::system(line.c_str()); // before the files are read
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readfile(dir / "stdout"), readfile(dir / "stderr")};
}

// Runs kelvora-export with the arguments (shell words) under the locale given, after the shell commands
// before.
inline ExportRun run(const ScratchDir& dir, const std::string& args, const char* locale = "C",
                     const std::string& before = "") {
    return shell(dir, before + " env -u LC_NUMERIC -u LANGUAGE LC_ALL=" + locale + " LANG=" + locale +
                          " timeout 30 '" + KELVORA_EXPORT + "' " + args);
}

// A refusal: the exit status given, nothing on standard output, one line on standard error.
inline void expectrefused(const ExportRun& r, int status, const std::string& args) {
    EXPECT_EQ(r.status, status) << args;
    EXPECT_EQ(r.out, "") << args;
    EXPECT_TRUE(r.err.starts_with("kelvora-export")) << args << ": " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
    EXPECT_TRUE(r.err.ends_with('\n')) << args << ": " << r.err;
}

// A scratch folder with an empty working folder "work" for the program.
struct ExportTest : testing::Test {
    void SetUp() override { std::filesystem::create_directory(work); }
    ExportRun run(const std::string& args, const char* locale = "C") const {
        return test::run(dir, args, locale);
    }
    // Writes the state as the settings file of that name in the working folder.
    void settings(const ModelState& s, const std::string& name) const {
        ASSERT_TRUE(writeconfigfile(s, ConfigForm::atclose, '.', work / name));
    }
    // The picture of that name in the working folder, as 32-bit RGB.
    QImage image(const std::string& name) const {
        return QImage(QString::fromStdString((work / name).string())).convertToFormat(QImage::Format_RGB32);
    }
    ScratchDir dir;
    std::filesystem::path work = dir / "work";
};

} // namespace kelvora::test
