// Everything the page keeps of the program, as the window keeps it: the model state, the plot state, the
// automatic toggle and the decimal separator; and the window's handlers without their controls, so that
// the page only shows what they hand back.
#pragma once

#include "model/cliptable.h"
#include "model/entry.h"
#include "model/parameters.h"
#include "model/sliders.h"
#include "plot/mouse.h"
#include "web/rgbasurface.h"
#include <memory>
#include <string>

namespace kelvora {

// Which of a row's boxes an entry is for.
enum class EntryBox { value, minimum, maximum };

// What a mouse move over the plot asks the page to show.
enum class ReadoutChange { keep, show, clear };
// What a redraw hands back to the page: the visible limits for the four boxes, as texts that give back
// the same limits; and whether a fit ran (the readout is then emptied and the pin released).
struct DrawResult {
    std::string ymin, ymax, xmin, xmax;
    bool clearreadout = false;
};

struct MoveResult {
    ReadoutChange change = ReadoutChange::clear;
    Readout readout;      // with show: the texts, the boxes disabled
    bool redrawn = false; // a drag moved the plot (the toggle is off now)
};

class Session {
  public:
    // sep: the separator of the page's regional settings, '.' or ','; measure gives text sizes in
    // logical pixels.
    Session(char sep, TextMeasure measure);

    // A settings text read as start-up reads Kelvora.ini: the defaults, then the text, repaired.
    void readsettings(const std::string& text);
    // The settings text the window writes when it closes.
    std::string settings() const;

    // The plot surface in logical pixels and the screen's density; a new surface forgets the pin.
    void resize(int width, int height, double scale);
    // The window's redraw: the picture in surface(), the visible limits in the result; with mayfit the
    // limits may be fitted first.
    DrawResult draw(bool mayfit);
    const RgbaSurface& surface() const { return *surface_; }

    // The panel's box texts (six significant digits) and the slider of row i.
    std::string boxtext(int i, EntryBox box) const;
    SliderSettings slider(int i) const;
    // What Escape brings back into a box: the stored number, the value at its full single precision.
    std::string storedtext(int i, EntryBox box) const;
    // A user's slider move to position; the value text and the plot follow with draw(true).
    void slide(int i, int position);
    // A typed entry with the window's repairs; returns the boxes to mark red.
    RedMarks enter(int i, EntryBox box, const std::string& text);

    bool automatic() const { return automatic_; }
    void setautomatic(bool on) { automatic_ = on; }
    // Whether the typed limits may be set, and setting them (the window's Set): false leaves all as it was.
    static bool limitsok(const std::string& xmin, const std::string& xmax, const std::string& ymin,
                         const std::string& ymax);
    bool setlimits(const std::string& xmin, const std::string& xmax, const std::string& ymin,
                   const std::string& ymax);

    void press(MouseButton button, double x, double y);
    MoveResult move(double x, double y);
    Release release(double x, double y) { return mouserelease(model_, plot_, x, y, sep_); }
    // A press the browser took back (a touch it turned into a gesture of its own): a drag ends where it
    // was last seen, as a release there would end it, and nothing is pinned.
    void cancel();
    bool doubleclick() { return mousedoubleclick(model_, plot_); }

    int16_t yaxis() const { return model_.yaxis; }
    // Another quantity on the y axis; the pin is released.
    void setyaxis(int16_t yaxis);
    // The crossing point as the window states it: potential and y value, or in words why there is none.
    std::string crossing() const;
    std::string table(SeparatorChoice choice) const;
    std::string svg() const;
    char separator() const { return sep_; }

  private:
    char sep_;
    TextMeasure measure_;
    ModelState model_;
    PlotState plot_;
    bool automatic_ = false;
    double lastx_ = 0.0; // where the pointer was last pressed or moved on the plot
    double lasty_ = 0.0;
    std::unique_ptr<RgbaSurface> surface_;
};

} // namespace kelvora
