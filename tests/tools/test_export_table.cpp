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

namespace {

constexpr int windowrows = 270; // Picture1 is 305 pixels high; 35 of them are margins
const std::string germanlocale = "de_DE.UTF-8";

// The state the window starts with from this file (or from no file).
ModelState started(const std::filesystem::path& file) {
    ModelState s;
    startstate(s, file);
    return s;
}

std::size_t countlines(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

void writesettings(const std::filesystem::path& path, int16_t yaxis, const char* pho) {
    ModelState s;
    startstate(s, path.parent_path() / "none");
    applyvalue(s, pHo, 1, pho);
    s.yaxis = yaxis;
    ASSERT_TRUE(writeconfigfile(s, ConfigForm::atclose, '.', path));
}

// A bad argument: exit status 2, nothing on standard output, one line on standard error.
void expectbadusage(const ExportDir& dir, const std::vector<std::string>& args) {
    std::string shown;
    for (const std::string& a : args)
        shown += " [" + a + "]";
    const ExportRun r = dir.run(args);
    EXPECT_EQ(r.status, 2) << shown;
    EXPECT_EQ(r.out, "") << shown;
    EXPECT_EQ(countlines(r.err), 1u) << shown << ": " << r.err;
    EXPECT_EQ(r.err.back(), '\n') << shown;
    EXPECT_EQ(r.err.rfind("kelvora-export", 0), 0u) << shown;
}

} // namespace

TEST(ExportTable, NoFileGivesTheDefaultsAndCreatesNothing) {
    ExportDir dir;
    const ExportRun r = dir.run({"table"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              cliptable(started(dir.work() / configfilename), windowrows, SeparatorChoice::system, '.'));
    EXPECT_EQ(
        r.out.rfind("ATPin/ADPin (y axis)\tErevANT (mV) (x axis)\tErevATPase (mV) (x axis)\t\tParameter "
                    "name\tParameter value\r\n3\t",
                    0),
        0u);
    EXPECT_EQ(countlines(r.out), 1u + windowrows);
    EXPECT_TRUE(std::filesystem::is_empty(dir.work()));
}

TEST(ExportTable, ReadsKelvoraIniAndLeavesItAlone) {
    ExportDir dir;
    const std::filesystem::path ini = dir.work() / configfilename;
    writesettings(ini, T, "7.5");
    const auto written = std::filesystem::last_write_time(ini);
    const std::string before = configtext(started(ini), ConfigForm::atclose, '.');

    const ExportRun r = dir.run({"table"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, cliptable(started(ini), windowrows, SeparatorChoice::system, '.'));
    EXPECT_EQ(r.out.rfind("T (Celsius) (y axis)\t", 0), 0u);
    EXPECT_NE(r.out.find("\t\tpHo \t7.5\r\n"), std::string::npos);
    EXPECT_EQ(std::filesystem::last_write_time(ini), written);
    EXPECT_EQ(configtext(started(ini), ConfigForm::atclose, '.'), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.work()), {}), 1);
}

TEST(ExportTable, ConfigOption) {
    ExportDir dir;
    writesettings(dir.work() / configfilename, T, "7.5");
    writesettings(dir.work() / "other.ini", Mg, "6.5");
    const std::string expected =
        cliptable(started(dir.work() / "other.ini"), windowrows, SeparatorChoice::system, '.');
    const ExportRun spaced = dir.run({"table", "--config", "other.ini"});
    ASSERT_EQ(spaced.status, 0) << spaced.err;
    EXPECT_EQ(spaced.out, expected);
    EXPECT_EQ(spaced.out.rfind("Mg (mM) (y axis)\t", 0), 0u);
    const ExportRun joined = dir.run({"table", "--config=" + (dir.work() / "other.ini").string()});
    EXPECT_EQ(joined.out, expected);
    // A name that does not exist means the defaults, as for the window.
    const ExportRun missing = dir.run({"table", "--config", "missing.ini"});
    ASSERT_EQ(missing.status, 0) << missing.err;
    EXPECT_EQ(missing.out.rfind("ATPin/ADPin (y axis)\t", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir.work() / "missing.ini"));
}

TEST(ExportTable, AutomaticLimits) {
    ExportDir dir;
    const ExportRun r = dir.run({"table", "--auto"});
    ASSERT_EQ(r.status, 0) << r.err;
    ModelState s = started(dir.work() / configfilename);
    autoscale(s);
    EXPECT_EQ(r.out, cliptable(s, windowrows, SeparatorChoice::system, '.'));
    // The y range runs up to three times the crossing value 1.173435.
    const std::string firstrow = r.out.substr(r.out.find("\r\n") + 2);
    EXPECT_NEAR(parsenumber(firstrow.substr(0, firstrow.find('\t'))), 3.520306, 1e-6);
}

TEST(ExportTable, DecimalSeparator) {
    ExportDir dir;
    const ExportRun point = dir.run({"table"}, "C");
    const ExportRun german = dir.run({"table"}, germanlocale);
    ASSERT_EQ(point.status, 0) << point.err;
    ASSERT_EQ(german.status, 0) << german.err;
    const ModelState s = started(dir.work() / configfilename);
    EXPECT_EQ(german.out, cliptable(s, windowrows, SeparatorChoice::system, ','));
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

TEST(ExportTable, OptionsCombine) {
    ExportDir dir;
    writesettings(dir.work() / "a.ini", pHo, "7.5");
    const ExportRun r =
        dir.run({"table", "--size", "200x50", "--decimal", "comma", "--auto", "--config", "a.ini"});
    ASSERT_EQ(r.status, 0) << r.err;
    ModelState s = started(dir.work() / "a.ini");
    autoscale(s);
    EXPECT_EQ(r.out, cliptable(s, 15, SeparatorChoice::comma, '.'));
}

TEST(ExportTable, BadArguments) {
    ExportDir dir;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
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
         }) {
        expectbadusage(dir, args);
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
