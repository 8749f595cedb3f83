// Feeds arbitrary bytes to the configuration file reader as the contents of Kelvora.ini. Whatever the
// bytes, reading must neither crash nor hang and must end in a repaired state: ordered limits with finite
// spans, a y-axis index the program knows, and every parameter inside its hard limits. The file written
// from that state must read back to a repaired state as well.
#include "config/inifile.h"
#include "model/parameters.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace kelvora;

ModelState startupstate() {
    ModelState s;
    resetsettings(s);
    buildtables(s);
    s.pKa2 = defaultpKa2;
    return s;
}

bool usable(double low, double high) {
    return low < high && std::isfinite(high - low);
}

void checkrepaired(const ModelState& s) {
    if (s.yaxis < ratioaxis || s.yaxis > lastindex) std::abort();
    if (!(s.pKa2 >= 0 && s.pKa2 <= 12)) std::abort();
    if (!usable(s.xmin, s.xmax) || !usable(s.ymin, s.ymax) || !(s.ymin >= 0)) std::abort();
    for (int i = 0; i <= lastindex; ++i) {
        const parameter& p = s.params[i];
        // The value is single precision, so it is compared with the limits in single precision.
        if (!(p.value >= tosingle(s.limits[i].min) && p.value <= tosingle(s.limits[i].max))) std::abort();
        if (!(p.min >= s.limits[i].min && p.max <= s.limits[i].max && p.min <= p.max)) std::abort();
        if (!(p.inc > 0) || !std::isfinite(p.inc)) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ModelState s = startupstate();
    readconfig(s, std::string_view(reinterpret_cast<const char*>(data), size));
    checkrepaired(s);

    for (const char sep : {'.', ','}) {
        ModelState again = startupstate();
        readconfig(again, configtext(s, ConfigForm::atclose, sep));
        checkrepaired(again);
    }
    return 0;
}
