// Helpers shared by the configuration and export tests: the start-up state (factorystate), a scratch
// directory, and the invariants that every repaired state must keep.
#pragma once

#include "../model/factory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace kelvora::test {

// A directory of its own for one test, removed afterwards.
class ScratchDir {
  public:
    ScratchDir() { std::filesystem::create_directories(path_); }
    ~ScratchDir() { std::filesystem::remove_all(path_, error_); }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    std::size_t size() const { return std::distance(std::filesystem::directory_iterator(path_), {}); }

  private:
    std::error_code error_;
    std::filesystem::path path_ =
        std::filesystem::temp_directory_path() / ("kelvora-test-" + std::to_string(std::random_device()()));
};

inline void writefile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readfile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What every state that went through the repairs keeps, whatever the file held.
inline void expectrepaired(const ModelState& s) {
    EXPECT_GE(s.yaxis, ratioaxis);
    EXPECT_LE(s.yaxis, lastindex);
    EXPECT_GE(s.pKa2, 0);
    EXPECT_LE(s.pKa2, 12);
    EXPECT_LT(s.xmin, s.xmax);
    EXPECT_TRUE(std::isfinite(s.xmax - s.xmin)) << s.xmin << " " << s.xmax;
    EXPECT_GE(s.ymin, 0);
    EXPECT_LT(s.ymin, s.ymax);
    EXPECT_TRUE(std::isfinite(s.ymax - s.ymin)) << s.ymin << " " << s.ymax;
    for (int i = 0; i <= lastindex; ++i) {
        const parameter& p = s.params[i];
        // The value is single precision: 0.01f lies just below the double 0.01.
        EXPECT_GE(p.value, tosingle(s.limits[i].min)) << i;
        EXPECT_LE(p.value, tosingle(s.limits[i].max)) << i;
        EXPECT_GE(p.min, s.limits[i].min) << i;
        EXPECT_LE(p.max, s.limits[i].max) << i;
        EXPECT_LE(p.min, p.max) << i;
        EXPECT_GT(p.inc, 0) << i;
        EXPECT_TRUE(std::isfinite(p.inc)) << i;
    }
}

// Parameters (without tags) and settings, as one list of numbers to compare exactly.
inline std::vector<double> numbers(const ModelState& s) {
    std::vector<double> v = {s.pKa2, s.xmin, s.xmax, s.ymin, s.ymax, static_cast<double>(s.yaxis)};
    for (int i = 0; i <= lastindex; ++i)
        v.insert(v.end(), {s.params[i].value, s.params[i].min, s.params[i].max, s.params[i].inc});
    return v;
}

} // namespace kelvora::test
