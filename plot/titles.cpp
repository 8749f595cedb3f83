#include "plot/titles.h"

#include "model/parameters.h"

namespace kelvora {

std::string xaxistitle() {
    return "Mitochondrial membrane potential (\u0394\u03A8m, mV)";
}

std::string yaxistitle(int16_t yaxis) {
    if (yaxis == ratioaxis) return "Matrix ATP/ADP";
    if (yaxis < 0 || yaxis > lastindex) return {};
    // The y-axis list already joins name and unit the way the panel shows them, one over the other.
    return yaxistext(yaxis + 1);
}

} // namespace kelvora
