// The texts of the two axis titles, without any toolkit, so that the window and a drawing written to a
// file name the axes alike.
#pragma once

#include <cstdint>
#include <string>

namespace kelvora {

// The x-axis title, in UTF-8: "Mitochondrial membrane potential (ΔΨm, mV)".
std::string xaxistitle();

// The y-axis title for y-axis index yaxis: "Matrix ATP/ADP" for the ratio (-1), otherwise the parameter's
// name followed, when it has one, by a blank and its unit, as the panel shows them ("Pin (mM)", "pHo").
// An index outside -1..lastindex has no title (empty).
std::string yaxistitle(int16_t yaxis);

} // namespace kelvora
