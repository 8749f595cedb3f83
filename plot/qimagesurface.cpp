#include "plot/qimagesurface.h"

#include "model/rounding.h"

#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <utility>

namespace kelvora {
namespace {

QFont rasterfont(double scale) {
    QFont font = plotfont(scale);
    // Labels in pure black: no antialiasing, like the lines.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

int64_t sign(int64_t v) {
    return (v > 0) - (v < 0);
}

// Texts kept rendered; the plot uses about a dozen at a time, so the store is simply emptied when full.
constexpr size_t maxkepttexts = 256;

// Fills n 32-bit pixels. The C library's wide-character fill is a vectorised 32-bit fill where
// wchar_t has 32 bits; elsewhere a plain loop does it.
void fill32(uint32_t* p, size_t n, uint32_t pixel) {
    if constexpr (sizeof(wchar_t) == sizeof(uint32_t)) {
        std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(pixel), n);
    } else {
        std::fill(p, p + n, pixel);
    }
}

// lo ... hi: the part of the run a ... b (both included, either order) inside 0 ... size - 1.
inline bool cliprun(int64_t& lo, int64_t& hi, int64_t a, int64_t b, int64_t size) {
    lo = std::max<int64_t>(std::min(a, b), 0);
    hi = std::min<int64_t>(std::max(a, b), size - 1);
    return lo <= hi;
}

// A text extent in whole pixels, rounded up, within 0 ... maxtextextent.
constexpr double maxtextextent = 8192.0;
int textextent(double x) {
    if (!(x > 0.0)) return 0;
    return static_cast<int>(std::ceil(std::min(x, maxtextextent)));
}

QString qtext(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QFont plotfont(double scale) {
    QFont font(QString::fromLatin1(plotfontfamily));
    font.setPixelSize(std::max(1, roundeven32(plotfontpixels * scale)));
    return font;
}

QImageSurface::QImageSurface(int width, int height, double scale)
    : image_(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32), font_(rasterfont(scale)),
      metrics_(font_, &image_), textheight_(metrics_.height()), w_(image_.width()), h_(image_.height()),
      stride_(image_.bytesPerLine()) {
    image_.fill(Qt::black);
}

void QImageSurface::fill(Colour c) {
    image_.fill(QColor(c.r, c.g, c.b));
    handedout_ = true; // the fill may have detached the pixels
}

uchar* QImageSurface::writable() {
    if (handedout_) {
        bits_ = image_.bits(); // detaches the image if a copy of it is still alive
        handedout_ = false;
    }
    return bits_;
}

void QImageSurface::hspan(uchar* bits, int y, int x1, int x2, uint32_t pixel) {
    fill32(reinterpret_cast<uint32_t*>(bits + y * stride_) + x1, static_cast<size_t>(x2 - x1 + 1), pixel);
}

void QImageSurface::vspan(uchar* bits, int x, int y1, int y2, uint32_t pixel) {
    for (int y = y1; y <= y2; ++y)
        reinterpret_cast<uint32_t*>(bits + y * stride_)[x] = pixel;
}

void QImageSurface::hrun(uchar* bits, int64_t y, int64_t xa, int64_t xb, uint32_t pixel) {
    int64_t lo, hi;
    if (y < 0 || y >= h_ || !cliprun(lo, hi, xa, xb, w_)) return;
    hspan(bits, static_cast<int>(y), static_cast<int>(lo), static_cast<int>(hi), pixel);
}

void QImageSurface::line(int x1, int y1, int x2, int y2, Colour c) {
    const uint32_t pixel = c.argb();
    const int64_t w = w_;
    const int64_t h = h_;
    const int64_t dx = int64_t{x2} - x1;
    const int64_t dy = int64_t{y2} - y1;
    if (dx == 0 && dy == 0) return;

    // Horizontal and vertical runs, the bulk of a redraw, are filled directly; the end point is left out.
    int64_t lo, hi;
    if (dy == 0) {
        if (y1 >= 0 && y1 < h && cliprun(lo, hi, x1, x2 - sign(dx), w))
            hspan(writable(), y1, static_cast<int>(lo), static_cast<int>(hi), pixel);
        return;
    }
    if (dx == 0) {
        if (x1 >= 0 && x1 < w && cliprun(lo, hi, y1, y2 - sign(dy), h))
            vspan(writable(), x1, static_cast<int>(lo), static_cast<int>(hi), pixel);
        return;
    }

    // A line to the next row (every curve segment): by the rule below, its first (d + 1) / 2 pixels
    // lie on the first row and the rest on the second, which makes two runs.
    if (std::llabs(dy) == 1) {
        const int64_t d = std::llabs(dx);
        const int64_t sx = sign(dx);
        const int64_t half = (d + 1) / 2;
        uchar* bits = writable();
        hrun(bits, y1, x1, x1 + (half - 1) * sx, pixel);
        if (half < d) hrun(bits, y2, x1 + half * sx, x1 + (d - 1) * sx, pixel);
        return;
    }

    // General Bresenham: k = 0 ... d - 1 along the major axis; the minor coordinate is
    // floor((2 k m + d) / (2 d)) steps from the start, m being the minor length.
    const bool xmajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t major0 = xmajor ? x1 : y1;
    const int64_t minor0 = xmajor ? y1 : x1;
    const int64_t smajor = sign(xmajor ? dx : dy);
    const int64_t sminor = sign(xmajor ? dy : dx);
    const int64_t d = xmajor ? std::llabs(dx) : std::llabs(dy);
    const int64_t m = xmajor ? std::llabs(dy) : std::llabs(dx);
    const int64_t majorlimit = (xmajor ? w : h) - 1;
    const int64_t minorlimit = (xmajor ? h : w) - 1;

    // Only the steps whose major coordinate lies on the image: major0 + k * smajor in 0 ... majorlimit.
    int64_t kfirst = 0;
    int64_t klast = d - 1;
    if (smajor > 0) {
        kfirst = std::max(kfirst, -major0);
        klast = std::min(klast, majorlimit - major0);
    } else {
        kfirst = std::max(kfirst, major0 - majorlimit);
        klast = std::min(klast, major0);
    }
    if (kfirst > klast) return;

    // Start of the walk: offset = floor((2 kfirst m + d) / 2d) and its remainder. The product can exceed
    // 64 bits for far-away end points; the walk itself stays within 64 bits.
    int64_t offset = 0;
    int64_t remainder = d;
    if (kfirst > 0) {
        const __int128 twod = static_cast<__int128>(d) * 2;
        const __int128 numerator = static_cast<__int128>(kfirst) * m * 2 + d;
        offset = static_cast<int64_t>(numerator / twod);
        remainder = static_cast<int64_t>(numerator % twod);
    }
    const int64_t twodd = 2 * d;
    const int64_t twom = 2 * m;

    uchar* bits = writable();
    const qsizetype stride = stride_;
    for (int64_t k = kfirst; k <= klast; ++k) {
        const int64_t major = major0 + k * smajor;
        const int64_t minor = minor0 + offset * sminor;
        if (minor >= 0 && minor <= minorlimit) {
            const int64_t x = xmajor ? major : minor;
            const int64_t y = xmajor ? minor : major;
            reinterpret_cast<uint32_t*>(bits + y * stride)[x] = pixel;
        }
        remainder += twom;
        if (remainder >= twodd) {
            remainder -= twodd;
            ++offset;
        }
    }
}

void QImageSurface::pset(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    reinterpret_cast<uint32_t*>(writable() + y * stride_)[x] = c.argb();
}

void QImageSurface::fillrect(int x, int y, int w, int h, Colour c) {
    int64_t xlo, xhi, ylo, yhi;
    if (w <= 0 || h <= 0) return;
    if (!cliprun(xlo, xhi, x, int64_t{x} + w - 1, w_) || !cliprun(ylo, yhi, y, int64_t{y} + h - 1, h_))
        return;
    uchar* bits = writable();
    const uint32_t pixel = c.argb();
    for (int64_t row = ylo; row <= yhi; ++row)
        hspan(bits, static_cast<int>(row), static_cast<int>(xlo), static_cast<int>(xhi), pixel);
}

double QImageSurface::textwidth(const std::string& text) const {
    const auto kept = widths_.find(text);
    if (kept != widths_.end()) return kept->second;
    if (widths_.size() >= maxkepttexts) widths_.clear();
    const double w = metrics_.horizontalAdvance(qtext(text));
    widths_.emplace(text, w);
    return w;
}

double QImageSurface::textheight(const std::string&) const {
    return textheight_;
}

const std::vector<QImageSurface::TextPixel>& QImageSurface::rendered(const std::string& text) {
    const auto kept = texts_.find(text);
    if (kept != texts_.end()) return kept->second;
    if (texts_.size() >= maxkepttexts) texts_.clear();

    // Drawn on white with room all round, for glyphs that reach outside the measured box.
    // Sizes are kept within the 16-bit offsets of the kept pixels; a label is far smaller.
    const int pad = textextent(textheight_);
    const int w = textextent(textwidth(text)) + 2 * pad;
    const int h = textextent(textheight_) + 2 * pad;
    QImage scratch(w, h, QImage::Format_RGB32);
    const QRgb white = qRgb(255, 255, 255);
    scratch.fill(white);
    {
        QPainter painter(&scratch);
        painter.setFont(font_);
        painter.setPen(QColor(Qt::black));
        painter.drawText(QPointF(pad, pad + metrics_.ascent()), qtext(text));
    }
    std::vector<TextPixel> pixels;
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(scratch.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (row[x] != white)
                pixels.push_back({static_cast<int16_t>(x - pad), static_cast<int16_t>(y - pad), row[x]});
    }
    return texts_.emplace(text, std::move(pixels)).first->second;
}

void QImageSurface::print(int x, int y, const std::string& text) {
    const int64_t w = w_;
    const int64_t h = h_;
    uchar* bits = nullptr;
    for (const TextPixel& p : rendered(text)) {
        const int64_t px = int64_t{x} + p.dx;
        const int64_t py = int64_t{y} + p.dy;
        if (px < 0 || py < 0 || px >= w || py >= h) continue;
        if (!bits) bits = writable();
        reinterpret_cast<uint32_t*>(bits + py * stride_)[px] = p.pixel;
    }
}

} // namespace kelvora
