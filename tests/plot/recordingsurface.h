// A Surface that records every call instead of drawing, with simple fixed text metrics, so that tests
// can state the exact drawing sequence.
#pragma once

#include "plot/surface.h"

#include <ostream>
#include <string>
#include <vector>

namespace kelvora::test {

struct Op {
    enum Kind { Line, Pset, Print } kind;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Colour c{};
    std::string text;

    bool operator==(const Op&) const = default;
};

inline Op line(int x1, int y1, int x2, int y2, Colour c) {
    return {Op::Line, x1, y1, x2, y2, c, {}};
}
inline Op pset(int x, int y, Colour c) {
    return {Op::Pset, x, y, 0, 0, c, {}};
}
inline Op print(int x, int y, const std::string& text) {
    return {Op::Print, x, y, 0, 0, {}, text};
}

inline std::ostream& operator<<(std::ostream& os, const Op& op) {
    const char* names[] = {"line", "pset", "print"};
    os << names[op.kind] << "(" << op.x1 << "," << op.y1;
    if (op.kind == Op::Line) os << " -> " << op.x2 << "," << op.y2;
    if (op.kind == Op::Print)
        os << " \"" << op.text << "\")";
    else
        os << " rgb " << int{op.c.r} << "," << int{op.c.g} << "," << int{op.c.b} << ")";
    return os;
}

class RecordingSurface final : public Surface {
  public:
    // Every character is charwidth pixels wide, except the separators, which are separatorwidth wide;
    // every text is textheightpx high.
    static constexpr double charwidth = 7.0;
    static constexpr double separatorwidth = 3.5;
    static constexpr double textheightpx = 13.0;

    RecordingSurface(int w, int h) : w_(w), h_(h) {}

    int width() const override { return w_; }
    int height() const override { return h_; }
    void line(int x1, int y1, int x2, int y2, Colour c) override {
        ops.push_back(test::line(x1, y1, x2, y2, c));
    }
    void pset(int x, int y, Colour c) override { ops.push_back(test::pset(x, y, c)); }
    double textwidth(const std::string& text) const override {
        double w = 0;
        for (char ch : text)
            w += (ch == '.' || ch == ',') ? separatorwidth : charwidth;
        return w;
    }
    double textheight(const std::string&) const override { return textheightpx; }
    void print(int x, int y, const std::string& text) override { ops.push_back(test::print(x, y, text)); }

    std::vector<Op> ops;

  private:
    int w_;
    int h_;
};

} // namespace kelvora::test
