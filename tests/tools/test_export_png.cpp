// kelvora-export png, run the way a script runs it: with no display at all, the picture must be the window's
// redraw of the same start-up state, pixel for pixel.
#include "config/startup.h"
#include "exportrun.h"
#include "plot/qimagesurface.h"
#include "plot/redraw.h"

#include <tuple>

using namespace kelvora;
using namespace kelvora::test;
using ExportPng = ExportTest;

// At the window's size and, with --scale K, on a screen of K device pixels a logical pixel; with a settings
// file of its own (T on the y axis with limits of its own, which --auto replaces by the fixed fit of T).
TEST_F(ExportPng, EachPictureIsTheWindowsPictureOfTheSameState) {
    ModelState s = factorystate();
    std::tie(s.yaxis, s.ymin, s.ymax, s.xmin, s.xmax) = std::tuple(T, 10.0, 30.0, -150.0, -90.0);
    settings(s, "settings.ini");
    const struct {
        std::string args, config;
        int w, h, scale;
        bool automatic;
    } cases[] = {
        {"", configfilename, 551, 305, 1, false},
        {"--scale 3 --size 300x200", configfilename, 300, 200, 3, false},
        {"--config settings.ini --auto --size 700x420", "settings.ini", 700, 420, 1, true},
    };
    for (const auto& c : cases) {
        // No display: DISPLAY and WAYLAND_DISPLAY unset and a platform that would need one named.
        const ExportRun r = test::run(dir, "png plot.png " + c.args, "C",
                                      "unset DISPLAY WAYLAND_DISPLAY; QT_QPA_PLATFORM=xcb");
        ASSERT_EQ(r.status, 0) << c.args << ": " << r.err;
        EXPECT_EQ(r.err, "");
        // The window's redraw: start-up state from the file, the plot state at that size with the plot's
        // background, a redraw without autoflag at start-up or with it and the toggle checked.
        ModelState start;
        startstate(start, work / c.config);
        PlotState ps;
        initplotstate(ps, c.w, c.h, plotcolours::background, c.scale);
        QImageSurface surface(c.w * c.scale, c.h * c.scale, c.scale);
        redraw(c.automatic, c.automatic, start, ps, surface, '.');
        EXPECT_TRUE(image("plot.png") == surface.image()) << c.args;
    }
    EXPECT_FALSE(std::filesystem::exists(work / configfilename)); // only read, never written
}
