// kelvora-export svg and pdf as processes: the drawing's zone shapes, colours and texts, the PDF's
// zone colours against the PNG of the same state, and its embedded fonts. And journal figures: the
// settings each figure carries come back byte for byte, the page has the physical size and density asked
// for, and the labels a real minus.
#include "exportrun.h"

#include <QRegularExpression>
#include <QString>
#include <QXmlStreamReader>

#include <map>
#include <numeric>
#include <regex>
#include <tuple>
#include <vector>

using namespace kelvora;
using namespace kelvora::test;

namespace {

// A working folder with settings that put pHo on the y axis.
struct ExportVector : ExportTest {
    void SetUp() override {
        ExportTest::SetUp();
        settings(factorystate(pHo), "pho.ini");
    }
};
using JournalExport = ExportVector;

namespace fs = std::filesystem;

const std::string yellow = "#bfc000", darkred = "#7c0201", orange = "#fa8301", grey = "#808080";

// What the drawing holds, in document order: the fill of every filled path (as set on the element or
// inherited from its groups), and every text.
struct Drawing {
    std::vector<std::string> pathfills;
    std::vector<std::string> texts;
    std::vector<std::string> curvestrokes; // stroke colours of the lines two units wide
    QString error;
};

Drawing parse(const std::string& bytes) {
    Drawing d;
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    std::vector<std::map<QString, QString>> inherited{{}};
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) inherited.pop_back();
        if (token != QXmlStreamReader::StartElement) continue;
        std::map<QString, QString> attributes = inherited.back();
        for (const QXmlStreamAttribute& a : xml.attributes())
            attributes[a.name().toString()] = a.value().toString();
        inherited.push_back(attributes);
        const QString name = xml.name().toString();
        if (name == "path" && attributes["fill"] != "none")
            d.pathfills.push_back(attributes["fill"].toStdString());
        if (name == "polyline" && attributes["stroke-width"] == "2")
            d.curvestrokes.push_back(attributes["stroke"].toStdString());
        if (name == "text") {
            d.texts.push_back(xml.readElementText().toStdString());
            inherited.pop_back(); // readElementText consumed the end of the element
        }
    }
    if (xml.hasError()) d.error = xml.errorString();
    return d;
}

TEST_F(ExportVector, SvgHasAFewZonePolygonsTheCurvesAndItsTextsAsText) {
    const ExportRun r = run("svg fig.svg --style window --auto --decimal comma --legend");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err + r.out, "");
    const Drawing d = parse(readfile(work / "fig.svg"));
    ASSERT_EQ(d.error, "");

    // The plot area: the colour of rows not computed under everything, then grey, the zones between
    // the curves (orange above their crossing, dark red below) and the zone left of both; then the
    // legend's swatches.
    EXPECT_EQ(d.pathfills, (std::vector<std::string>{darkred, grey, orange, darkred, yellow, yellow, darkred,
                                                     orange, grey, grey, grey}));
    EXPECT_EQ(d.curvestrokes, (std::vector<std::string>{"#ffffff", "#000000", "#ffffff", "#000000"}));

    // Tick labels (a y label in its whole and fraction parts), then the titles and the legend, which
    // the generator may split where the script changes.
    const std::vector<std::string> ticks = {"0",       "0",       ",5",      "1",       "1",     ",5",
                                            "2",       "2",       ",5",      "3",       "3",     ",5",
                                            "-160 mV", "-140 mV", "-120 mV", "-100 mV", "-80 mV"};
    ASSERT_GT(d.texts.size(), ticks.size());
    EXPECT_EQ(std::vector<std::string>(d.texts.begin(), d.texts.begin() + ticks.size()), ticks);
    EXPECT_EQ(
        std::accumulate(d.texts.begin() + std::ssize(ticks), d.texts.end(), std::string()),
        "Matrix ATP/ADP"
        "Mitochondrial membrane potential (\u0394\u03A8m, mV)"
        "\u0394\u03A8m below both reversal potentials: the translocase exports ATP, the synthase makes ATP"
        "ErevANT < \u0394\u03A8m < ErevATPase: the translocase imports ATP, the synthase still makes ATP"
        "ErevATPase < \u0394\u03A8m < ErevANT: the synthase hydrolyses ATP, the translocase still exports it"
        "\u0394\u03A8m above both reversal potentials: both enzymes reversed"
        "ErevANT, reversal potential of the translocase"
        "ErevATPase, reversal potential of the ATP synthase");
}

TEST_F(ExportVector, PdfZoneColoursAreThePngsAndItsFontIsEmbedded) {
    const QRgb zones[] = {qRgb(191, 192, 0), qRgb(124, 2, 1), qRgb(250, 131, 1), qRgb(128, 128, 128)};
    // A parameter on the y axis and a surface of another size; the legend only adds to the page.
    const std::string args = "--config pho.ini --size 640x400 --auto";
    ASSERT_EQ(run("png plot.png " + args).status, 0);
    const ExportRun r = run("pdf fig.pdf " + args + " --style window --legend");
    ASSERT_EQ(r.status, 0) << r.err;
    // Two device pixels a logical one.
    ASSERT_EQ(shell(dir, "pdftoppm -r 192 -singlefile -png fig.pdf page").status, 0);
    const QImage png = image("plot.png"), page = image("page.png");
    ASSERT_FALSE(png.isNull() || page.isNull());

    // The plot surface stands at the page's top left, two device pixels a logical pixel; the titles
    // and the legend are added beside it.
    const int plotleft = 60, plottop = 10, plotright = png.width() - 30, plotbottom = png.height() - 25;
    std::map<QRgb, int> compared;
    for (int y = plottop + 4; y < plotbottom - 4; y += 3)
        for (int x = plotleft + 4; x < plotright - 4; x += 3) {
            // Only pixels whose neighbours within three pixels share their colour: no edge nearby.
            const QRgb expected = png.pixel(x, y);
            QImage around(7, 7, QImage::Format_RGB32);
            around.fill(expected);
            if (png.copy(x - 3, y - 3, 7, 7) != around) continue;
            ASSERT_EQ(page.pixel(2 * x + 1, 2 * y + 1), expected) << "logical point " << x << "," << y;
            ++compared[expected];
        }
    for (const QRgb zone : zones)
        EXPECT_GT(compared[zone], 20) << std::hex << zone;

    // pdffonts lists each font below its two heading lines, with "yes" in its emb(edded) column, fifth from
    // the right: at least one font, each of them embedded.
    const ExportRun fonts = shell(dir, "pdffonts fig.pdf | awk 'NR > 2 { print $1, $(NF - 4) }'");
    EXPECT_TRUE(std::regex_match(fonts.out, std::regex("(\\S*DejaVuSans\\S* yes\n)+")))
        << fonts.out << fonts.err;
}

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
    // Settings that cannot be written out are a failure with its line, not a silent one.
    test::expectrefused(shell(dir, "'" KELVORA_EXPORT "' config-from fig.svg >/dev/full"), 1, "/dev/full");
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
    // On a dark page every text is white, as the axes are.
    ASSERT_EQ(run("svg k.svg --background black").status, 0);
    const QString dark = QString::fromStdString(readfile(work / "k.svg"));
    EXPECT_GT(dark.count("<text fill=\"#ffffff\""), 0);
    EXPECT_EQ(dark.count("<text fill=\"#ffffff\""), dark.count("<text "));

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
    // A picture wider than the largest surface is refused before it is drawn: 350 mm at 2400 dpi.
    test::expectrefused(run("tiff big.tiff --width 350 --height 40 --dpi 2400"), 2, "big.tiff");
    EXPECT_FALSE(fs::exists(work / "big.tiff"));
    // Text too large for the page is refused rather than drawn over a plot shrunk to nothing.
    for (const char* args : {"svg t.svg --font-size 12", "png t.png --height 20 --legend"})
        test::expectrefused(run(args), 2, args);
}

} // namespace
