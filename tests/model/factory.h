// The state a first start builds: factory tables and default settings.
#pragma once

#include "model/parameters.h"

inline kelvora::ModelState factorystate(int16_t yaxis = kelvora::ratioaxis) {
    kelvora::ModelState s;
    kelvora::resetsettings(s);
    kelvora::buildtables(s);
    s.pKa2 = kelvora::defaultpKa2;
    s.yaxis = yaxis;
    return s;
}
