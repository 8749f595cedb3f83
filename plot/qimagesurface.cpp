#include "plot/qimagesurface.h"

#include <QPainter>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace kelvora {
namespace {

QFont plotfont() {
    QFont font(QString::fromLatin1(plotfontfamily));
    font.setPixelSize(plotfontpixels);
    // Labels in pure black: no antialiasing, like the lines.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

int64_t sign(int64_t v) {
    return (v > 0) - (v < 0);
}

} // namespace

QImageSurface::QImageSurface(int width, int height)
    : image_(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32), font_(plotfont()),
      metrics_(font_, &image_) {
    image_.fill(Qt::black);
}

void QImageSurface::fill(Colour c) {
    image_.fill(QColor(c.r, c.g, c.b));
}

void QImageSurface::hspan(int y, int x1, int x2, uint32_t pixel) {
    auto* row = reinterpret_cast<uint32_t*>(image_.scanLine(y));
    std::fill(row + x1, row + x2 + 1, pixel);
}

void QImageSurface::vspan(int x, int y1, int y2, uint32_t pixel) {
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (int y = y1; y <= y2; ++y)
        reinterpret_cast<uint32_t*>(bits + y * stride)[x] = pixel;
}

void QImageSurface::line(int x1, int y1, int x2, int y2, Colour c) {
    const uint32_t pixel = c.argb();
    const int64_t w = width();
    const int64_t h = height();
    const int64_t dx = int64_t{x2} - x1;
    const int64_t dy = int64_t{y2} - y1;
    if (dx == 0 && dy == 0) return;

    // Horizontal and vertical runs, the bulk of a redraw: clip the run, then fill it directly.
    if (dy == 0 || dx == 0) {
        const bool horizontal = dy == 0;
        const int64_t fixed = horizontal ? y1 : x1;
        if (fixed < 0 || fixed >= (horizontal ? h : w)) return;
        const int64_t start = horizontal ? x1 : y1;
        const int64_t delta = horizontal ? dx : dy;
        const int64_t last = start + delta - sign(delta); // the end point is left out
        const int64_t limit = (horizontal ? w : h) - 1;
        const int64_t lo = std::max<int64_t>(std::min(start, last), 0);
        const int64_t hi = std::min<int64_t>(std::max(start, last), limit);
        if (lo > hi) return;
        if (horizontal)
            hspan(static_cast<int>(fixed), static_cast<int>(lo), static_cast<int>(hi), pixel);
        else
            vspan(static_cast<int>(fixed), static_cast<int>(lo), static_cast<int>(hi), pixel);
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

    // Exact start of the walk; the products can exceed 64 bits for far-away end points.
    const __int128 twod = static_cast<__int128>(d) * 2;
    const __int128 numerator = static_cast<__int128>(kfirst) * m * 2 + d;
    int64_t offset = static_cast<int64_t>(numerator / twod);
    int64_t remainder = static_cast<int64_t>(numerator % twod);
    const int64_t twodd = 2 * d;
    const int64_t twom = 2 * m;

    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
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
    if (x < 0 || y < 0 || x >= width() || y >= height()) return;
    reinterpret_cast<uint32_t*>(image_.scanLine(y))[x] = c.argb();
}

double QImageSurface::textwidth(const std::string& text) const {
    return metrics_.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

double QImageSurface::textheight(const std::string&) const {
    return metrics_.height();
}

void QImageSurface::print(int x, int y, const std::string& text) {
    QPainter painter(&image_);
    painter.setFont(font_);
    painter.setPen(QColor(Qt::black));
    painter.drawText(QPointF(x, y + metrics_.ascent()),
                     QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace kelvora
