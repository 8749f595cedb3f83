// Files no one would write on purpose: the reader must neither crash nor hang, and must end in a
// repaired state.
#include "config/inifile.h"
#include "configtest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <sys/resource.h>

using namespace kelvora;
using kelvora::test::expectrepaired;
using kelvora::test::ScratchDir;

namespace {

long peakresidentkilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST(HostileFile, RandomJunk) {
    // Any byte at all; and digits, signs, points, commas, exponents and line ends in every order, which
    // make many odd numbers.
    static constexpr char numberish[] = "0123456789+-.,eEdD&hHoO \t\r\n#;";
    for (unsigned seed = 1; seed <= 70; ++seed) {
        std::mt19937 random(seed);
        std::string junk(seed <= 20 ? 16 * 1024 : 4096, '\0');
        for (char& c : junk)
            c = seed <= 20 ? static_cast<char>(random()) : numberish[random() % (sizeof numberish - 1)];
        ModelState s = factorystate();
        readconfig(s, junk);
        expectrepaired(s);
    }
}

TEST(HostileFile, NulBytes) {
    ModelState s = factorystate();
    static constexpr char bytes[] = "7\r\n\0\r\n9\0junk\r\n\0\0\0";
    readconfig(s, std::string(bytes, sizeof bytes - 1));
    EXPECT_EQ(s.params[ATPin].value, 7.0f);
    EXPECT_EQ(s.params[ATPin].min, 0.01); // a NUL reads as 0, raised to the lowest allowed minimum
    EXPECT_EQ(s.params[ATPin].max, 9.0);  // reading stops at the NUL
    EXPECT_EQ(s.params[ADPin].value, 0.01f);
    expectrepaired(s);
}

TEST(HostileFile, AMillionCommentLines) {
    std::string text;
    for (int i = 0; i < 1000000; ++i)
        text += "# comment\r\n";
    text += "7\r\n";
    ModelState s = factorystate();
    readconfig(s, text);
    EXPECT_EQ(s.params[ATPin].value, 7.0f);
}

TEST(HostileFile, LinesOfAMegabyte) {
    const std::string megabyte(1 << 20, ' ');
    // Leading blanks of any length are trimmed; what follows a number is ignored however long.
    const std::string text = megabyte + "7\r\n" + std::string("6.5") + std::string(1 << 20, '9') + "x\r\n" +
                             std::string(1 << 20, '#') + "\r\n" + std::string("11") + megabyte + "\r\n";
    ModelState s = factorystate();
    readconfig(s, text);
    EXPECT_EQ(s.params[ATPin].value, 7.0f);
    expectrepaired(s);
    // 6.5 followed by a million nines: only the first 35 characters count, 6.5 and 32 nines.
    EXPECT_DOUBLE_EQ(s.params[ATPin].min, 6.6);
    EXPECT_DOUBLE_EQ(s.params[ATPin].max, 11.0);
}

TEST(HostileFile, HundredMegabytesStreamWithBoundedMemory) {
    ScratchDir dir;
    const std::filesystem::path path = dir / configfilename;
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("7\r\n#", f);
        const std::string megabyte(1 << 20, 'z');
        for (int i = 0; i < 100; ++i)
            ASSERT_EQ(std::fwrite(megabyte.data(), 1, megabyte.size(), f), megabyte.size());
        std::fputs("\r\n6.5\r\n", f);
        ASSERT_EQ(std::fclose(f), 0);
    }
    const long before = peakresidentkilobytes();
    ModelState s = factorystate();
    ASSERT_TRUE(readconfigfile(s, path));
    const long grown = peakresidentkilobytes() - before;
    EXPECT_EQ(s.params[ATPin].value, 7.0f);
    EXPECT_EQ(s.params[ATPin].min, 6.5);
    EXPECT_LT(grown, 32 * 1024) << "kilobytes of peak memory added while reading";
}
