// The state a first start builds: factory tables and default settings.
#pragma once

#include "model/crossing.h"
#include "model/parameters.h"

#include <ostream>

inline kelvora::ModelState factorystate(int16_t yaxis = kelvora::ratioaxis) {
    kelvora::ModelState s;
    kelvora::resetsettings(s);
    kelvora::buildtables(s);
    s.pKa2 = kelvora::defaultpKa2;
    s.yaxis = yaxis;
    return s;
}

// Limits as a failed comparison shows them: xmin xmax ymin ymax.
namespace kelvora {
inline void PrintTo(const AxisLimits& l, std::ostream* os) {
    *os << l.xmin << " " << l.xmax << " " << l.ymin << " " << l.ymax;
}
} // namespace kelvora
