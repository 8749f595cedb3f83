// Journal figures as processes: the settings each figure carries come back byte for byte, and the page
// has the physical size and density asked for.
#include "config/inifile.h"
#include "exportrun.h"

#include <QImage>
#include <QRegularExpression>
#include <QString>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace kelvora;
using kelvora::test::readfile;
using kelvora::test::run;

namespace {

namespace fs = std::filesystem;

struct JournalExport : testing::Test {
    void SetUp() override {
        fs::create_directory(dir / "work");
        ASSERT_TRUE(writeconfigfile(factorystate(pHo), ConfigForm::atclose, '.', dir / "work" / "pho.ini"));
    }
    test::ScratchDir dir;
};

TEST_F(JournalExport, EveryFigureGivesBackTheSettingsItWasDrawnFrom) {
    const std::string settings = readfile(dir / "work" / "pho.ini");
    for (const char* command : {"svg fig.svg", "pdf fig.pdf", "png fig.png", "png fig.png --dpi 150",
                                "tiff fig.tiff", "tiff fig.tiff --style window --legend"}) {
        const std::string words = command;
        const std::size_t start = words.find(' ') + 1;
        const std::string file = words.substr(start, words.find(' ', start) - start);
        ASSERT_EQ(run(dir, std::string(command) + " --config pho.ini").status, 0) << command;
        const test::ExportRun r = run(dir, "config-from " + file);
        EXPECT_EQ(r.status, 0) << command << r.err;
        EXPECT_EQ(r.out, settings) << command;
    }
    // A figure without settings, and the settings file itself, are refused.
    test::expectrefused(run(dir, "config-from pho.ini"), 1, "config-from pho.ini");
}

TEST_F(JournalExport, LabelsWithARealMinusAndTheUnitOnlyInTheTitle) {
    ASSERT_EQ(run(dir, "svg fig.svg").status, 0);
    const std::string svg = readfile(dir / "work" / "fig.svg");
    EXPECT_NE(svg.find(">\u2212160</text>"), std::string::npos);
    EXPECT_EQ(svg.find(">-"), std::string::npos);
    EXPECT_EQ(svg.find(" mV</text>"), std::string::npos);
}

TEST_F(JournalExport, PageSizeInMillimetresAndDensityRecorded) {
    // SVG: the size stated in mm, the height by the plot's aspect or as given.
    ASSERT_EQ(run(dir, "svg a.svg --width 178").status, 0);
    ASSERT_EQ(run(dir, "svg b.svg --width 85 --height 60").status, 0);
    const QRegularExpression size("<svg width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\"");
    const auto match = size.match(QString::fromStdString(readfile(dir / "work" / "a.svg")));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(match.captured(1), "178");
    EXPECT_NEAR(match.captured(2).toDouble(), 178.0 * 305 / 551, 25.0);
    EXPECT_EQ(size.match(QString::fromStdString(readfile(dir / "work" / "b.svg"))).captured(2), "60");

    // Pictures: mm at dpi in pixels, the density in the file.
    const std::vector<std::tuple<std::string, int, int, int>> pictures = {
        {"png c.png --width 85 --height 60 --dpi 300", 1004, 709, 300},
        {"tiff c.tiff --width 178 --height 100 --dpi 600", 4205, 2362, 600}};
    for (const auto& [command, width, height, dpi] : pictures) {
        ASSERT_EQ(run(dir, command).status, 0) << command;
        const QImage image(QString::fromStdString(
            (dir / "work" /
             command.substr(command.find(' ') + 1, command.find(" --") - command.find(' ') - 1))
                .string()));
        ASSERT_FALSE(image.isNull()) << command;
        EXPECT_EQ(image.width(), width) << command;
        EXPECT_EQ(image.height(), height) << command;
        EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, dpi, 0.01) << command;
    }
}

} // namespace
