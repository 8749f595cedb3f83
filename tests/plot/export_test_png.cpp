// kelvora-export png, run as a separate process the way a script runs it: with no display at all, the
// picture must be the window's redraw of the same start-up state, pixel for pixel.
#include "config/inifile.h"
#include "config/startup.h"
#include "model/crossing.h"
#include "plot/fastdraw.h"
#include "plot/qimagesurface.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <vector>

namespace kelvora {
namespace {

namespace fs = std::filesystem;

class PngExport : public testing::Test {
  protected:
    // Runs kelvora-export png in dir_ with no display: DISPLAY and WAYLAND_DISPLAY unset and a platform
    // that would need one named in the environment. The arguments hold no shell characters.
    int run(const std::string& args) {
        const std::string command = "cd '" + dir_.string() +
                                    "' && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb LC_ALL=C '" +
                                    KELVORA_EXPORT + "' png " + args + " >/dev/null 2>stderr.txt";
        const int status = std::system(command.c_str());
        std::ifstream in(dir_ / "stderr.txt");
        stderrtext.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The window's redraw: start-up state from the file, the plot state at that size with the plot's
    // background, a redraw without autoflag at start-up or with it and the toggle checked.
    static QImage windowpicture(const fs::path& config, int w, int h, bool automatic, int scale = 1) {
        ModelState s;
        startstate(s, config);
        PlotState ps;
        initplotstate(ps, w, h, plotcolours::background, scale);
        QImageSurface surface(w * scale, h * scale, scale);
        drawplot(automatic, automatic, s, ps, surface, '.');
        return surface.image();
    }

    static QImage load(const fs::path& file) {
        return QImage(QString::fromStdString(file.string()), "PNG").convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir tmp_;
    fs::path dir_ = tmp_.path().toStdString();
    std::string stderrtext;
};

// At the window's size and, with --scale K, on a screen of K device pixels a logical pixel.
TEST_F(PngExport, DefaultStateIsTheWindowsPictureAtAnyDensity) {
    ASSERT_EQ(run("plot.png"), 0) << stderrtext;
    EXPECT_EQ(stderrtext, "");
    ASSERT_EQ(run("--scale 3 --size 300x200 dense.png"), 0) << stderrtext;
    EXPECT_FALSE(fs::exists(dir_ / "Kelvora.ini")); // only read, never written
    const QImage picture = load(dir_ / "plot.png"), dense = load(dir_ / "dense.png");
    ASSERT_EQ(picture.size(), QSize(551, 305));
    ASSERT_EQ(dense.size(), QSize(900, 600));
    EXPECT_TRUE(picture == windowpicture(dir_ / "Kelvora.ini", 551, 305, false));
    EXPECT_TRUE(dense == windowpicture(dir_ / "Kelvora.ini", 300, 200, false, 3));
    for (const char* bad :
         {"--scale 0", "--scale 9", "--scale 2x", "--scale=", "--scale", "--size 4096x300 --scale 8"})
        EXPECT_EQ(run(std::string("x.png ") + bad), 2) << bad;
    EXPECT_FALSE(fs::exists(dir_ / "x.png"));
}

TEST_F(PngExport, ConfigAutomaticLimitsAndSize) {
    // T on the y axis with limits of its own; --auto replaces them by the fixed fit of T.
    ModelState s;
    buildtables(s);
    resetsettings(s);
    std::tie(s.yaxis, s.ymin, s.ymax, s.xmin, s.xmax) = std::tuple(T, 10.0, 30.0, -150.0, -90.0);
    const fs::path config = dir_ / "settings.ini";
    ASSERT_TRUE(writeconfigfile(s, ConfigForm::atclose, '.', config));

    ASSERT_EQ(run("--config " + config.string() + " --auto --size 700x420 fitted.png"), 0) << stderrtext;
    ASSERT_EQ(run("--size=700x420 --config=" + config.string() + " kept.png"), 0) << stderrtext;
    const QImage fitted = load(dir_ / "fitted.png"), kept = load(dir_ / "kept.png");
    ASSERT_EQ(fitted.size(), QSize(700, 420));
    EXPECT_TRUE(fitted == windowpicture(config, 700, 420, true));
    EXPECT_TRUE(kept == windowpicture(config, 700, 420, false));
    EXPECT_FALSE(fitted == kept);
}

TEST_F(PngExport, FailuresKeepAnOlderPictureAndLeaveNoHalfFile) {
    EXPECT_EQ(run("a.png --size 90x200"), 2);
    EXPECT_EQ(run(""), 2);
    EXPECT_NE(stderrtext.find("OUT.png"), std::string::npos);
    ASSERT_EQ(run("plot.png"), 0);
    const auto size = fs::file_size(dir_ / "plot.png");

    // A configuration "file" that cannot be read: the old picture stays.
    fs::create_directory(dir_ / "unreadable.ini");
    EXPECT_EQ(run("plot.png --config unreadable.ini --auto"), 1);
    EXPECT_NE(stderrtext.find("unreadable.ini"), std::string::npos);
    EXPECT_EQ(fs::file_size(dir_ / "plot.png"), size);

    // Outputs that cannot be written.
    EXPECT_EQ(run("missing/plot.png"), 1);
    fs::create_directory(dir_ / "adirectory");
    EXPECT_EQ(run("adirectory"), 1);
    EXPECT_TRUE(fs::is_directory(dir_ / "adirectory"));

    // Nothing but the picture, the directories and the captured messages is left behind.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"adirectory", "plot.png", "stderr.txt", "unreadable.ini"}));
}

} // namespace
} // namespace kelvora
