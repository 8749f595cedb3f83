#include "config/inifile.h"
#include "config/startup.h"
#include "model/cliptable.h"
#include "model/crossing.h"
#include "model/entry.h"
#include "model/parsenumber.h"
#include "runexport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using namespace kelvora;
using kelvora::test::ExportDir;
using kelvora::test::ExportRun;
using kelvora::test::readfile;

namespace {

constexpr int windowrows = 270; // Picture1 is 305 pixels high; 35 of them are margins
const std::string germanlocale = "de_DE.UTF-8";

// The state the window starts with from this file (or from no file), automatically framed if asked.
ModelState started(const std::filesystem::path& file, bool automatic = false) {
    ModelState s;
    startstate(s, file);
    if (automatic) autoscale(s);
    return s;
}

std::size_t countlines(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

void writesettings(const std::filesystem::path& path, int16_t yaxis, const char* pho) {
    ModelState s = factorystate(yaxis);
    applyvalue(s, pHo, 1, pho);
    ASSERT_TRUE(writeconfigfile(s, ConfigForm::atclose, '.', path));
}

} // namespace

TEST(ExportTable, NoFileGivesTheDefaultsAndCreatesNothing) {
    ExportDir dir;
    const ExportRun r = dir.run({"table"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              cliptable(started(dir.work() / configfilename), windowrows, SeparatorChoice::system, '.'));
    EXPECT_EQ(countlines(r.out), 1u + windowrows);
    EXPECT_TRUE(std::filesystem::is_empty(dir.work()));
}

TEST(ExportTable, ReadsKelvoraIniOrTheConfigOptionAndLeavesThemAlone) {
    ExportDir dir;
    const std::filesystem::path ini = dir.work() / configfilename, other = dir.work() / "other.ini";
    writesettings(ini, T, "7.5");
    writesettings(other, Mg, "6.5");
    const auto written = std::filesystem::last_write_time(ini);
    const std::string before = readfile(ini);

    const ExportRun r = dir.run({"table"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, cliptable(started(ini), windowrows, SeparatorChoice::system, '.'));
    EXPECT_EQ(r.out.rfind("T (Celsius) (y axis)\t", 0), 0u);
    EXPECT_NE(r.out.find("\t\tpHo \t7.5\r\n"), std::string::npos);
    EXPECT_EQ(std::filesystem::last_write_time(ini), written);
    EXPECT_EQ(readfile(ini), before);

    const std::string expected = cliptable(started(other), windowrows, SeparatorChoice::system, '.');
    const ExportRun spaced = dir.run({"table", "--config", "other.ini"});
    ASSERT_EQ(spaced.status, 0) << spaced.err;
    EXPECT_EQ(spaced.out, expected);
    EXPECT_EQ(spaced.out.rfind("Mg (mM) (y axis)\t", 0), 0u);
    EXPECT_EQ(dir.run({"table", "--config=" + other.string()}).out, expected);
    // A name that does not exist means the defaults, as for the window.
    const ExportRun missing = dir.run({"table", "--config", "missing.ini"});
    ASSERT_EQ(missing.status, 0) << missing.err;
    EXPECT_EQ(missing.out.rfind("ATPin/ADPin (y axis)\t", 0), 0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.work()), {}), 2);
}

TEST(ExportTable, AutomaticLimitsAndCombinedOptions) {
    ExportDir dir;
    const ExportRun r = dir.run({"table", "--auto"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, cliptable(started(dir.work() / configfilename, true), windowrows,
                               SeparatorChoice::system, '.'));
    // The y range runs up to three times the crossing value 1.173435.
    const std::string firstrow = r.out.substr(r.out.find("\r\n") + 2);
    EXPECT_NEAR(parsenumber(firstrow.substr(0, firstrow.find('\t'))), 3.520306, 1e-6);

    writesettings(dir.work() / "a.ini", pHo, "7.5");
    const ExportRun all =
        dir.run({"table", "--size", "200x50", "--decimal", "comma", "--auto", "--config", "a.ini"});
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out, cliptable(started(dir.work() / "a.ini", true), 15, SeparatorChoice::comma, '.'));
}

TEST(ExportTable, DecimalSeparator) {
    ExportDir dir;
    const ExportRun point = dir.run({"table"}, "C");
    const ExportRun german = dir.run({"table"}, germanlocale);
    ASSERT_EQ(point.status, 0) << point.err;
    ASSERT_EQ(german.status, 0) << german.err;
    EXPECT_EQ(german.out,
              cliptable(started(dir.work() / configfilename), windowrows, SeparatorChoice::system, ','));
    EXPECT_NE(german.out.find("\r\n2,98888888888889\t"), std::string::npos);
    EXPECT_EQ(german.out.find('.'), std::string::npos);

    EXPECT_EQ(dir.run({"table", "--decimal", "point"}, germanlocale).out, point.out);
    EXPECT_EQ(dir.run({"table", "--decimal=comma"}, "C").out, german.out);
    EXPECT_EQ(dir.run({"table", "--decimal", "comma"}, germanlocale).out, german.out);
}

TEST(ExportTable, SurfaceSize) {
    ExportDir dir;
    const ExportRun r = dir.run({"table", "--size", "300x100"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, cliptable(started(dir.work() / configfilename), 65, SeparatorChoice::system, '.'));
    const ExportRun smallest = dir.run({"table", "--size=91x36"});
    ASSERT_EQ(smallest.status, 0) << smallest.err;
    EXPECT_EQ(countlines(smallest.out), 2u);
    // The default is the window's own surface.
    EXPECT_EQ(dir.run({"table", "--size", "551x305"}).out, dir.run({"table"}).out);
}

TEST(ExportTable, BadArgumentsGetOneLineAndStatusTwo) {
    ExportDir dir;
    const std::vector<std::string> cases[] = {
        {},
        {"bogus"},
        {"--bogus"},
        {"table", "--bogus"},
        {"table", "extra"},
        {"table", "--decimal"},
        {"table", "--decimal", "dot"},
        {"table", "--decimal="},
        {"table", "--size"},
        {"table", "--size", "0x0"},
        {"table", "--size", "551"},
        {"table", "--size", "551x305x2"},
        {"table", "--size", "-551x305"},
        {"table", "--size", "+551x305"},
        {"table", "--size", "90x305"},
        {"table", "--size", "551x35"},
        {"table", "--size", "32768x305"},
        {"table", "--size", "551x99999999999999999999"},
        {"table", "--size", " 551x305"},
        {"table", "--config"},
        {"table", "--config="},
    };
    for (const std::vector<std::string>& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const ExportRun r = dir.run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(countlines(r.err), 1u) << r.err;
        EXPECT_TRUE(r.err.ends_with('\n'));
        EXPECT_TRUE(r.err.starts_with("kelvora-export"));
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.work()));
}

TEST(ExportTable, UnreadableConfigurationFails) {
    ExportDir dir;
    std::filesystem::create_directory(dir.work() / configfilename);
    const ExportRun r = dir.run({"table"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(countlines(r.err), 1u);
    EXPECT_NE(r.err.find("Kelvora.ini"), std::string::npos);
}

TEST(ExportTable, Help) {
    ExportDir dir;
    const ExportRun general = dir.run({"--help"});
    EXPECT_EQ(general.status, 0);
    EXPECT_EQ(general.err, "");
    for (const char* text : {"Usage: kelvora-export COMMAND", "table", "--config FILE", "--auto",
                             "--size WxH", "--decimal point|comma", "Exit status"})
        EXPECT_NE(general.out.find(text), std::string::npos) << text;
    const ExportRun table = dir.run({"table", "--help"});
    EXPECT_EQ(table.status, 0);
    EXPECT_EQ(table.out.rfind("Usage: kelvora-export table", 0), 0u);
    EXPECT_NE(table.out.find("--decimal point|comma"), std::string::npos);
}
