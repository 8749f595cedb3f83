#include "config/inifile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <system_error>

#include "config/regularfile.h"
#include "model/entry.h"
#include "model/numtext.h"
#include "model/parsenumber.h"
#include "model/rounding.h"

namespace kelvora {
namespace {

// The work list: 101 slots, of which the first 66 are taken over.
constexpr int slotcount = 101;
constexpr int pKa2slot = 60;
constexpr int xminslot = 61;
constexpr int xmaxslot = 62;
constexpr int yminslot = 63;
constexpr int ymaxslot = 64;
constexpr int yaxisslot = 65;

// Only this many characters of a line, from its first non-blank one, can reach the number reader.
constexpr std::size_t numberchars = 35;

constexpr const char* lineend = "\r\n";

using WorkList = std::array<double, slotcount>;

// Splits text into lines and collects the numbers of the value lines, a chunk at a time. It keeps only
// what decides a line: whether a non-blank character was seen, whether the first one starts a comment,
// and the first characters from there on. Everything else of a line is dropped as it streams past.
struct ValueCollector {
    WorkList slots{};
    int count = 0;
    bool full = false; // the last value line to be read has been read

    bool started = false; // a non-blank character has been seen on this line
    bool comment = false;
    bool aftercr = false; // the previous character ended a line with CR; a following LF belongs to it
    std::string head;

    void endline() {
        if (started && !comment && !full) {
            slots[count] = parsenumber(head);
            ++count;
            if (count >= maxvaluelines) full = true;
        }
        started = false;
        comment = false;
        head.clear();
    }

    void feed(std::string_view chunk) {
        for (const char c : chunk) {
            if (full) return;
            if (aftercr) {
                aftercr = false;
                if (c == '\n') continue;
            }
            if (c == '\r') {
                endline();
                aftercr = true;
            } else if (c == '\n') {
                // A lone line feed ends a line too, so a file saved with LF line ends is not read as one
                // single line.
                endline();
            } else if (!started) {
                if (c == ' ') continue;
                started = true;
                comment = c == '#' || c == ';';
                head.push_back(c);
            } else if (head.size() < numberchars) {
                head.push_back(c);
            }
        }
    }

    // The last line needs no line end.
    void finish() {
        if (started) endline();
    }
};

// The slots before reading: the defaults, pKa2 and the axis limits as start-up left them. The y-axis
// slot stays 0, so a file that stops before it puts the first parameter on the y axis.
ValueCollector presetcollector(const ModelState& s) {
    ValueCollector c;
    c.slots.fill(0.0);
    for (int i = 0; i <= lastindex; ++i) {
        c.slots[3 * i] = static_cast<double>(s.defaults[i].value);
        c.slots[3 * i + 1] = s.defaults[i].min;
        c.slots[3 * i + 2] = s.defaults[i].max;
    }
    c.slots[pKa2slot] = s.pKa2;
    c.slots[xminslot] = s.xmin;
    c.slots[xmaxslot] = s.xmax;
    c.slots[yminslot] = s.ymin;
    c.slots[ymaxslot] = s.ymax;
    return c;
}

// A limit pair is usable when its ends are strictly ordered with a finite span.
bool usablerange(double low, double high) {
    return low < high && std::isfinite(high - low);
}

// The eight range repairs of one parameter read from the file; the value itself stays.
void repairrange(parameter& p, const parameter& defaults, const parameter& limits) {
    if (tosingle(p.min) > p.value) p.min = p.value;
    if (tosingle(p.max) < p.value) p.max = p.value;
    if (p.max > limits.max) p.max = limits.max;
    if (p.min < limits.min) p.min = limits.min;
    if (p.min > p.max) p.min = p.min - defaults.inc;
    if (p.min < limits.min) p.min = limits.min;
    if (p.min >= p.max) p.max = p.max + defaults.inc;
    if (p.max > limits.max) p.max = limits.max;
}

// Takes the slots over into the state, then repairs it in the fixed order.
void takeoverandrepair(ModelState& s, const WorkList& slots) {
    for (int i = 0; i <= lastindex; ++i) {
        s.params[i].value = tosingle(slots[3 * i]);
        s.params[i].min = slots[3 * i + 1];
        s.params[i].max = slots[3 * i + 2];
    }
    s.pKa2 = slots[pKa2slot];
    s.xmin = slots[xminslot];
    s.xmax = slots[xmaxslot];
    s.ymin = slots[yminslot];
    s.ymax = slots[ymaxslot];

    // Anything beyond the 16-bit range saturates here and is then out of range like any other index.
    const int32_t yaxis = roundeven32(slots[yaxisslot]);
    s.yaxis = yaxis < 0 || yaxis > lastindex ? ratioaxis : static_cast<int16_t>(yaxis);

    constexpr double lowestpKa2 = 0.0;
    constexpr double highestpKa2 = 12.0;
    if (s.pKa2 < lowestpKa2) s.pKa2 = lowestpKa2;
    if (s.pKa2 > highestpKa2) s.pKa2 = highestpKa2;

    if (s.xmin >= s.xmax) s.xmin = s.xmax - 1;
    if (s.ymin < 0) s.ymin = 0;
    if (s.ymin >= s.ymax) s.ymax = s.ymin + 1;
    // Far out, "one less" or "one more" is the same number, and a span may not be finite at all;
    // every later computation needs ordered limits with a finite span.
    if (!usablerange(s.xmin, s.xmax)) {
        s.xmin = defaultxmin;
        s.xmax = defaultxmax;
    }
    if (!usablerange(s.ymin, s.ymax)) {
        s.ymin = defaultymin;
        s.ymax = defaultymax;
    }

    for (int i = 0; i <= lastindex; ++i) {
        repairrange(s.params[i], s.defaults[i], s.limits[i]);
        checkvalue(s, i);
    }
}

void appendline(std::string& text, const std::string& line) {
    text += line;
    text += lineend;
}

// A parameter number line: one blank, then the number.
void appendnumberline(std::string& text, const std::string& number) {
    text += ' ';
    appendline(text, number);
}

} // namespace

void readconfig(ModelState& s, std::string_view text) {
    ValueCollector c = presetcollector(s);
    c.feed(text);
    c.finish();
    takeoverandrepair(s, c.slots);
}

bool readconfigfile(ModelState& s, const std::filesystem::path& path, std::error_code& error,
                    FileStamp* stamp) {
    ValueCollector c = presetcollector(s);
    const auto feed = [&c](std::string_view piece) {
        c.feed(piece);
        return !c.full;
    };
    // The stamp is of the file before the first byte was read: a change while reading makes it differ.
    if (!readregularfile(path, feed, error, stamp)) return false;
    c.finish();
    takeoverandrepair(s, c.slots);
    return true;
}

bool readconfigfile(ModelState& s, const std::filesystem::path& path) {
    std::error_code error;
    return readconfigfile(s, path, error);
}

std::string configtext(const ModelState& s, ConfigForm form, char sep) {
    std::string text;
    if (form == ConfigForm::atclose) {
        appendline(text, "#  Kelvora configuration file");
        appendline(text, "#");
    }
    appendline(text, "#  You may alter this file manually at your own risk. Take care, you should not change "
                     "the order of the variables.");
    appendline(text, "#  Unappropriate values will be overriden.");
    appendline(text, "#  Format: # Parameter name and unit, parameter value, allowed minimum value, allowed "
                     "maximum value; and some other things.");
    appendline(text, "");

    const ParameterTable& table = form == ConfigForm::atclose ? s.params : s.defaults;
    for (int i = 0; i <= lastindex; ++i) {
        const parameter& p = table[i];
        appendline(text, std::string("# ") + parametername(i) + "  " + parameterunit(i));
        appendnumberline(text, fixedsix(static_cast<double>(p.value), sep));
        appendnumberline(text, fixedsix(p.min, sep));
        appendnumberline(text, fixedsix(p.max, sep));
    }

    appendline(text, "# pKa2");
    appendline(text, plainnumber(s.pKa2, sep));
    appendline(text, "# xmin");
    appendline(text, plainnumber(s.xmin, sep));
    appendline(text, "# xmax");
    appendline(text, plainnumber(s.xmax, sep));
    appendline(text, "# ymin");
    appendline(text, plainnumber(s.ymin, sep));
    appendline(text, "# ymax");
    appendline(text, plainnumber(s.ymax, sep));
    appendline(text, "# y axis");
    appendline(text, plainnumber(static_cast<double>(s.yaxis), sep));
    return text;
}

bool writeconfigfile(const ModelState& s, ConfigForm form, char sep, const std::filesystem::path& path,
                     std::error_code& error, const SafeWrite& options) {
    return writesafefile(path, configtext(s, form, sep), error, options);
}

bool writeconfigfile(const ModelState& s, ConfigForm form, char sep, const std::filesystem::path& path) {
    std::error_code error;
    return writeconfigfile(s, form, sep, path, error);
}

} // namespace kelvora
