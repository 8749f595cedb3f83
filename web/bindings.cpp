// The page's way into the program: the session and the model's texts, for JavaScript.
#include "model/parameters.h"
#include "plot/titles.h"
#include "web/session.h"
#include <emscripten/bind.h>
#include <emscripten/val.h>

namespace kelvora {
namespace {

using emscripten::val;

// Text sizes come from the page's own measure, Module.measureText(text, height), in logical pixels.
double measure(const std::string& text, bool height) {
    return val::module_property("measureText")(text, height).as<double>();
}

Session* makesession(const std::string& sep) {
    return new Session(sep == "," ? ',' : '.', measure);
}

val limits(const DrawResult& r) {
    val out = val::object();
    out.set("ymin", r.ymin);
    out.set("ymax", r.ymax);
    out.set("xmin", r.xmin);
    out.set("xmax", r.xmax);
    out.set("clearreadout", r.clearreadout);
    return out;
}

val readout(const Readout& r) {
    val out = val::object();
    out.set("x", r.x);
    out.set("y", r.y);
    return out;
}

val draw(Session& s, bool autoflag) {
    return limits(s.draw(autoflag));
}

val pixels(const Session& s) {
    const auto& p = s.surface().pixels();
    return val(emscripten::typed_memory_view(p.size() * sizeof(uint32_t),
                                             reinterpret_cast<const uint8_t*>(p.data())));
}

val texts(const Session& s) {
    val out = val::array();
    for (const PrintedText& t : s.surface().texts()) {
        val one = val::object();
        one.set("x", t.x);
        one.set("y", t.y);
        one.set("text", t.text);
        out.call<void>("push", one);
    }
    return out;
}

val row(const Session& s, int i) {
    const SliderSettings k = s.slider(i);
    val out = val::object();
    out.set("value", s.boxtext(i, EntryBox::value));
    out.set("min", s.boxtext(i, EntryBox::minimum));
    out.set("max", s.boxtext(i, EntryBox::maximum));
    out.set("low", k.minimum);
    out.set("high", k.maximum);
    out.set("position", k.position);
    out.set("step", k.smallstep);
    out.set("page", k.tickspacing);
    return out;
}

int enter(Session& s, int i, int box, const std::string& text) {
    const RedMarks m = s.enter(i, static_cast<EntryBox>(box), text);
    return (m.value ? 1 : 0) | (m.min ? 2 : 0) | (m.max ? 4 : 0);
}

val move(Session& s, double x, double y) {
    const MoveResult r = s.move(x, y);
    val out = readout(r.readout);
    out.set("change", static_cast<int>(r.change));
    out.set("redraw", r.redrawn);
    return out;
}

val release(Session& s, double x, double y) {
    const Release r = s.release(x, y);
    val out = readout(r.readout);
    out.set("inside", r.inside);
    out.set("enabled", r.enabled);
    return out;
}

void press(Session& s, int button, double x, double y) {
    s.press(button == 0 ? MouseButton::left : button == 2 ? MouseButton::right : MouseButton::middle, x, y);
}

std::string table(const Session& s, int choice) {
    return s.table(choice == 1   ? SeparatorChoice::point
                   : choice == 2 ? SeparatorChoice::comma
                                 : SeparatorChoice::system);
}

void setyaxis(Session& s, int yaxis) {
    s.setyaxis(static_cast<int16_t>(yaxis));
}

std::string ytitle(const Session& s) {
    return yaxistitle(s.yaxis());
}

} // namespace

EMSCRIPTEN_BINDINGS(kelvora) {
    using namespace emscripten;
    class_<Session>("Session")
        .constructor(&makesession, allow_raw_pointers())
        .function("readsettings", &Session::readsettings)
        .function("settings", &Session::settings)
        .function("resize", &Session::resize)
        .function("draw", &draw)
        .function("width", optional_override([](const Session& s) { return s.surface().width(); }))
        .function("height", optional_override([](const Session& s) { return s.surface().height(); }))
        .function("pixels", &pixels)
        .function("texts", &texts)
        .function("row", &row)
        .function("slide", &Session::slide)
        .function("enter", &enter)
        .function("storedtext", optional_override([](const Session& s, int i, int box) {
                      return s.storedtext(i, static_cast<EntryBox>(box));
                  }))
        .function("automatic", &Session::automatic)
        .function("setautomatic", &Session::setautomatic)
        .class_function("limitsok", &Session::limitsok)
        .function("setlimits", &Session::setlimits)
        .function("press", &press)
        .function("move", &move)
        .function("release", &release)
        .function("cancel", &Session::cancel)
        .function("doubleclick", &Session::doubleclick)
        .function("yaxis", &Session::yaxis)
        .function("setyaxis", &setyaxis)
        .function("ytitle", &ytitle)
        .function("crossing", &Session::crossing)
        .function("table", &table)
        .function("svg", &Session::svg);
    function("parametername", optional_override([](int i) { return std::string(parametername(i)); }));
    function("parameterunit", optional_override([](int i) { return std::string(parameterunit(i)); }));
    function("yaxistext", &yaxistext);
    // A quantity on the y axis is computed, not set: its row leaves the panel, as the ratio's two do.
    function("plotted", optional_override([](int i, int yaxis) {
                 return i == yaxis || (yaxis == ratioaxis && (i == ATPin || i == ADPin));
             }));
    function("xaxistitle", &xaxistitle);
    constant("lastindex", lastindex);
    constant("labelpixels", plotfontpixels);
    constant("labelfamily", labelfamily);
    constant("defaultwidth", defaultsurfacewidth);
    constant("defaultheight", defaultsurfaceheight);
    constant("smallestwidth", leftmargin + rightmargin + 1);
}

} // namespace kelvora
