// Journal figures as processes: the settings each figure carries come back byte for byte, the page has the
// physical size and density asked for, and the labels a real minus.
#include "exportrun.h"

#include <QRegularExpression>
#include <QString>

#include <tuple>
#include <vector>

using namespace kelvora;
using namespace kelvora::test;

namespace {

struct JournalExport : test::ExportTest {
    void SetUp() override {
        ExportTest::SetUp();
        settings(factorystate(pHo), "pho.ini");
    }
};

TEST_F(JournalExport, EveryFigureGivesBackTheSettingsItWasDrawnFrom) {
    const std::pair<const char*, const char*> figures[] = {
        {"svg", "fig.svg"},           {"pdf", "fig.pdf"},   {"png", "fig.png"},
        {"png", "fig.png --dpi 150"}, {"tiff", "fig.tiff"}, {"tiff", "fig.tiff --style window --legend"}};
    for (const auto& [format, options] : figures) {
        const std::string command = std::string(format) + " " + options;
        ASSERT_EQ(run(command + " --config pho.ini").status, 0) << command;
        const test::ExportRun r = run("config-from fig." + std::string(format));
        EXPECT_EQ(r.status, 0) << command << r.err;
        EXPECT_EQ(r.out, readfile(work / "pho.ini")) << command;
    }
    // A figure without settings, and the settings file itself, are refused.
    test::expectrefused(run("config-from pho.ini"), 1, "config-from pho.ini");
}

TEST_F(JournalExport, PageSizeInMillimetresAndDensityRecordedLabelsWithARealMinus) {
    // SVG: the size stated in mm, the height by the plot's aspect or as given.
    ASSERT_EQ(run("svg a.svg --width 178").status, 0);
    ASSERT_EQ(run("svg b.svg --width 85 --height 60").status, 0);
    // The labels have a real minus, and the unit stands only in the title.
    const std::string svg = readfile(work / "a.svg");
    EXPECT_NE(svg.find(">\u2212160</text>"), std::string::npos);
    EXPECT_EQ(svg.find(">-"), std::string::npos);
    EXPECT_EQ(svg.find(" mV</text>"), std::string::npos);
    const QRegularExpression size("<svg width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\"");
    const auto match = size.match(QString::fromStdString(svg));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(match.captured(1), "178");
    EXPECT_NEAR(match.captured(2).toDouble(), 178.0 * 305 / 551, 25.0);
    EXPECT_EQ(size.match(QString::fromStdString(readfile(work / "b.svg"))).captured(2), "60");

    // Pictures: mm at dpi in pixels, the density in the file.
    const std::vector<std::tuple<std::string, std::string, int, int, int>> pictures = {
        {"c.png", " --width 85 --height 60 --dpi 300", 1004, 709, 300},
        {"c.tiff", " --width 178 --height 100 --dpi 600", 4205, 2362, 600}};
    for (const auto& [file, options, width, height, dpi] : pictures) {
        ASSERT_EQ(run(file.substr(2) + " " + file + options).status, 0) << file;
        const QImage picture = image(file);
        EXPECT_EQ(picture.size(), QSize(width, height)) << file;
        EXPECT_NEAR(picture.dotsPerMeterX() * 0.0254, dpi, 0.01) << file;
    }
}

} // namespace
