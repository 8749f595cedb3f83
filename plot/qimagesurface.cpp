#include "plot/qimagesurface.h"

#include "model/rounding.h"

#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
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

// Texts kept rendered; the plot uses about a dozen at a time, so the store is simply emptied when full.
constexpr size_t maxkepttexts = 256;

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

RasterView QImageSurface::raster() {
    return {reinterpret_cast<uint32_t*>(writable()), w_, h_,
            stride_ / static_cast<qsizetype>(sizeof(uint32_t))};
}

void QImageSurface::line(int x1, int y1, int x2, int y2, Colour c) {
    rasterline(raster(), x1, y1, x2, y2, c.argb());
}

void QImageSurface::pset(int x, int y, Colour c) {
    rasterpset(raster(), x, y, c.argb());
}

void QImageSurface::fillrect(int x, int y, int w, int h, Colour c) {
    rasterfillrect(raster(), x, y, w, h, c.argb());
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
