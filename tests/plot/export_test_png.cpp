// kelvora-export png, run as a separate process the way a script runs it: with no display at all, the
// picture must be the window's redraw of the same start-up state, pixel for pixel.
#include "../model/factory.h"
#include "config/inifile.h"
#include "config/startup.h"
#include "plot/qimagesurface.h"
#include "plot/redraw.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <tuple>

namespace kelvora {
namespace {

namespace fs = std::filesystem;

// At the window's size and, with --scale K, on a screen of K device pixels a logical pixel; with a settings
// file of its own (T on the y axis with limits of its own, which --auto replaces by the fixed fit of T).
TEST(PngExport, EachPictureIsTheWindowsPictureOfTheSameState) {
    QTemporaryDir tmp;
    const fs::path dir = tmp.path().toStdString();
    ModelState s = factorystate();
    std::tie(s.yaxis, s.ymin, s.ymax, s.xmin, s.xmax) = std::tuple(T, 10.0, 30.0, -150.0, -90.0);
    ASSERT_TRUE(writeconfigfile(s, ConfigForm::atclose, '.', dir / "settings.ini"));
    const struct {
        std::string args, config;
        int w, h, scale;
        bool automatic;
    } cases[] = {
        {"", "Kelvora.ini", 551, 305, 1, false},
        {"--scale 3 --size 300x200", "Kelvora.ini", 300, 200, 3, false},
        {"--config settings.ini --auto --size 700x420", "settings.ini", 700, 420, 1, true},
    };
    for (const auto& c : cases) {
        // No display: DISPLAY and WAYLAND_DISPLAY unset and a platform that would need one named.
        const std::string command = "cd '" + dir.string() +
                                    "' && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb LC_ALL=C '" +
                                    KELVORA_EXPORT + "' png plot.png " + c.args + " 2>stderr.txt";
        const int status = std::system(command.c_str());
        std::ifstream err(dir / "stderr.txt");
        const std::string errtext{std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>()};
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.args << ": " << errtext;
        EXPECT_EQ(errtext, "");
        const QImage picture = QImage(QString::fromStdString((dir / "plot.png").string()), "PNG")
                                   .convertToFormat(QImage::Format_RGB32);
        // The window's redraw: start-up state from the file, the plot state at that size with the plot's
        // background, a redraw without autoflag at start-up or with it and the toggle checked.
        ModelState start;
        startstate(start, dir / c.config);
        PlotState ps;
        initplotstate(ps, c.w, c.h, plotcolours::background, c.scale);
        QImageSurface surface(c.w * c.scale, c.h * c.scale, c.scale);
        redraw(c.automatic, c.automatic, start, ps, surface, '.');
        EXPECT_TRUE(picture == surface.image()) << c.args;
    }
    EXPECT_FALSE(fs::exists(dir / "Kelvora.ini")); // only read, never written
}

} // namespace
} // namespace kelvora
