#include "web/session.h"

#include "config/inifile.h"
#include "config/startup.h"
#include "model/crossingtext.h"
#include "model/limittext.h"
#include "model/numtext.h"
#include "model/parsenumber.h"
#include "model/rounding.h"
#include "plot/crossingmarker.h"
#include "plot/figure.h"
#include "plot/figurestyle.h"
#include "plot/redraw.h"
#include "web/svgsurface.h"

namespace kelvora {
namespace {

// Significant digits of the panel's boxes.
constexpr int16_t boxdigits = 6;

} // namespace

Session::Session(char sep, TextMeasure measure) : sep_(sep), measure_(std::move(measure)) {
    defaultstate(model_);
    resize(defaultsurfacewidth, defaultsurfaceheight, 1.0);
}

void Session::readsettings(const std::string& text) {
    ModelState fresh;
    defaultstate(fresh);
    readconfig(fresh, text);
    model_ = fresh;
    plot_.pinned = false;
}

std::string Session::settings() const {
    return configtext(model_, ConfigForm::atclose, sep_);
}

void Session::resize(int width, int height, double scale) {
    initplotstate(plot_, width, height, plotcolours::background, scale);
    const DeviceGeometry d = devicegeometry(plot_);
    const double s = plot_.scale;
    surface_ = std::make_unique<RgbaSurface>(
        d.width, d.height, [this, s](const std::string& t, bool height) { return measure_(t, height) * s; });
}

DrawResult Session::draw(bool mayfit) {
    surface_->cleartexts();
    DrawResult r;
    r.clearreadout = redraw(mayfit, automatic_, model_, plot_, *surface_, sep_);
    drawcrossingmarker(model_, plot_, *surface_);
    // The limits as drawn: while a drag is under way they move with it.
    r.ymin = limittext(model_.ymin + plot_.yshift, sep_);
    r.ymax = limittext(model_.ymax + plot_.yshift, sep_);
    r.xmin = limittext(model_.xmin - plot_.xshift, sep_);
    r.xmax = limittext(model_.xmax - plot_.xshift, sep_);
    return r;
}

std::string Session::boxtext(int i, EntryBox box) const {
    const parameter& p = model_.params[i];
    const double x = box == EntryBox::value     ? static_cast<double>(p.value)
                     : box == EntryBox::minimum ? p.min
                                                : p.max;
    return shorttext(siground(x, boxdigits), sep_);
}

std::string Session::storedtext(int i, EntryBox box) const {
    const parameter& p = model_.params[i];
    return box == EntryBox::value ? singletext(p.value, sep_)
                                  : shorttext(box == EntryBox::minimum ? p.min : p.max, sep_);
}

SliderSettings Session::slider(int i) const {
    return slidersettings(model_.params[i]);
}

void Session::slide(int i, int position) {
    parameter& p = model_.params[i];
    const SliderSettings settings = slidersettings(p);
    p.value = slidervalue(settings.minimum, settings.maximum, position, p.inc);
}

RedMarks Session::enter(int i, EntryBox box, const std::string& text) {
    if (box == EntryBox::value) return entervalue(model_, i, text);
    if (box == EntryBox::minimum) return enterminimum(model_, i, text);
    return entermaximum(model_, i, text);
}

bool Session::limitsok(const std::string& xmin, const std::string& xmax, const std::string& ymin,
                       const std::string& ymax) {
    return limitsvalid(parsenumber(xmin), parsenumber(xmax), parsenumber(ymin), parsenumber(ymax));
}

bool Session::setlimits(const std::string& xmin, const std::string& xmax, const std::string& ymin,
                        const std::string& ymax) {
    if (!limitsok(xmin, xmax, ymin, ymax)) return false;
    model_.ymin = parsenumber(ymin);
    model_.xmin = parsenumber(xmin);
    model_.ymax = parsenumber(ymax);
    model_.xmax = parsenumber(xmax);
    plot_.pinned = false;
    return true;
}

void Session::press(MouseButton button, double x, double y) {
    lastx_ = x;
    lasty_ = y;
    mousepress(plot_, button, x, y);
}

void Session::cancel() {
    if (!plot_.dragging) return;
    mouserelease(model_, plot_, lastx_, lasty_, sep_);
    plot_.pinned = false;
}

// The window's mouse move without its toolkit part: a drag switches the automatic toggle off and
// unpins; an unpinned readout follows the pointer inside the limits.
MoveResult Session::move(double x, double y) {
    MoveResult r;
    lastx_ = x;
    lasty_ = y;
    plot_.dblclicked = false;
    if (plot_.dragging) {
        automatic_ = false;
        plot_.pinned = false;
    }
    if (plot_.pinned) {
        r.change = ReadoutChange::keep;
    } else if (!plot_.dragging && insidelimits(model_, plot_, x, y)) {
        r.change = ReadoutChange::show;
        r.readout = readoutat(model_, plot_, x, y, sep_);
    }
    if (plot_.dragging) {
        dragoffsets(model_, plot_, x, y);
        r.redrawn = true;
    }
    return r;
}

void Session::setyaxis(int16_t yaxis) {
    if (yaxis < ratioaxis || yaxis > lastindex) return;
    // As the same choice in the settings file: nothing stays pinned.
    model_.yaxis = yaxis;
    plot_.pinned = false;
}

std::string Session::crossing() const {
    return crossingtext(model_, sep_);
}

std::string Session::table(SeparatorChoice choice) const {
    return cliptable(model_, plot_.plotheight, choice, sep_);
}

std::string Session::svg() const {
    // The figure the desktop's svg command draws by default: the journal look on a white page, with the
    // axis titles and the legend, in logical pixels.
    PlotState flat = plot_;
    flat.scale = 1.0;
    const FigureStyle style = journalstyle(Palette::safe, *parsecolour("white"));
    applystyle(flat, style);
    const SvgSurface metrics(flat.surfacewidth, flat.surfaceheight, measure_);
    const FigureLayout layout = figurelayout(model_, flat, metrics, true, sep_, style);
    SvgSurface surface(layout.width, layout.height, measure_);
    drawfigure(model_, flat, surface, layout, sep_, style);
    return surface.document();
}

} // namespace kelvora
