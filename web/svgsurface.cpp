#include "web/svgsurface.h"

#include "model/cnumber.h"
#include <cstdio>
#include <cstdlib>

namespace kelvora {
namespace {

// The label font's ascent in ems (DejaVu Sans's; the usual sans-serif fallbacks differ by a hundredth or
// two). The drawing code places a text's top; the document states its baseline, which every viewer
// reads alike (many ignore dominant-baseline and would set the labels on the ticks).
constexpr double labelascent = 0.928;
constexpr double baseline = labelascent * plotfontpixels;

std::string number(double v) {
    std::string t = printc(v, 'f', 3);
    while (t.back() == '0')
        t.pop_back();
    if (t.back() == '.') t.pop_back();
    return t == "-0" ? "0" : t;
}

std::string colour(Colour c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

// Text as character data: the markup characters escaped.
std::string escaped(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        if (ch == '<')
            out += "&lt;";
        else if (ch == '>')
            out += "&gt;";
        else if (ch == '&')
            out += "&amp;";
        else
            out += ch;
    }
    return out;
}

std::string points(const std::vector<Point>& list, double ox, double oy) {
    std::string out;
    for (const Point& p : list)
        out += number(p.x + ox) + "," + number(p.y + oy) + " ";
    return out;
}

} // namespace

SvgSurface::SvgSurface(int width, int height, TextMeasure measure)
    : w_(width), h_(height), measure_(std::move(measure)) {
    body_ = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(w_) + "\" height=\"" +
            std::to_string(h_) + "\" viewBox=\"0 0 " + std::to_string(w_) + " " + std::to_string(h_) +
            "\" font-family=\"" + labelfamily + "\" font-size=\"" + std::to_string(plotfontpixels) +
            "px\">\n";
}

void SvgSurface::fillrect(int x, int y, int w, int h, Colour c) {
    if (w <= 0 || h <= 0) return;
    body_ += "<rect shape-rendering=\"crispEdges\" x=\"" + number(x + ox_) + "\" y=\"" + number(y + oy_) +
             "\" width=\"" + std::to_string(w) + "\" height=\"" + std::to_string(h) + "\" fill=\"" +
             colour(c) + "\"/>\n";
}

// Straight lines are the runs of pixels they set; a slanted line goes pixel by pixel.
void SvgSurface::line(int x1, int y1, int x2, int y2, Colour c) {
    const int dx = x2 - x1, dy = y2 - y1;
    if (dy == 0 && dx != 0)
        fillrect(dx > 0 ? x1 : x2 + 1, y1, std::abs(dx), 1, c);
    else if (dx == 0 && dy != 0)
        fillrect(x1, dy > 0 ? y1 : y2 + 1, 1, std::abs(dy), c);
    else if (dx != 0)
        polyline({{x1 + 0.5, y1 + 0.5}, {x2 + 0.5, y2 + 0.5}}, 1.0, c);
}

void SvgSurface::print(int x, int y, const std::string& text) {
    body_ += "<text x=\"" + number(x + ox_) + "\" y=\"" + number(y + oy_ + baseline) + "\">" + escaped(text) +
             "</text>\n";
}

void SvgSurface::polygon(const std::vector<Point>& list, Colour c) {
    body_ += "<polygon points=\"" + points(list, ox_, oy_) + "\" fill=\"" + colour(c) + "\"/>\n";
}

void SvgSurface::polyline(const std::vector<Point>& list, double width, Colour c) {
    body_ += "<polyline points=\"" + points(list, ox_, oy_) + "\" fill=\"none\" stroke=\"" + colour(c) +
             "\" stroke-width=\"" + number(width) +
             "\" stroke-linecap=\"butt\" stroke-linejoin=\"round\"/>\n";
}

void SvgSurface::printupward(double x, double y, const std::string& text) {
    const std::string at = number(x + ox_) + " " + number(y + oy_ + textwidth(text));
    body_ += "<text transform=\"translate(" + at + ") rotate(-90)\" y=\"" + number(baseline) + "\">" +
             escaped(text) + "</text>\n";
}

void SvgSurface::setorigin(double x, double y) {
    ox_ = x;
    oy_ = y;
}

} // namespace kelvora
