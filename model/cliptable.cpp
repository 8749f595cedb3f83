#include "model/cliptable.h"

#include <algorithm>
#include <cmath>

#include "model/numtext.h"
#include "model/potentials.h"

namespace kelvora {
namespace {

constexpr const char* tab = "\t";
constexpr const char* lineend = "\r\n";
constexpr int pKa2line = lastindex + 1; // pKa2 follows the twenty parameters in the parameter block

// Whether data line k carries parameter k beside it: not the y-axis quantity, and not ATPin or ADPin
// while their ratio is on the y axis.
bool showsparameter(const ModelState& s, int k) {
    if (k > lastindex || k == s.yaxis) return false;
    return !(k < 2 && s.yaxis == ratioaxis);
}

// The separator rule and the trim, on a text formatted with the system's separator.
std::string applychoice(std::string text, SeparatorChoice choice) {
    if (choice == SeparatorChoice::point) std::replace(text.begin(), text.end(), ',', '.');
    if (choice == SeparatorChoice::comma) std::replace(text.begin(), text.end(), '.', ',');
    return trimseparator(text);
}

} // namespace

std::string tablenumber(double x, SeparatorChoice choice, char systemsep) {
    return applychoice(tablepattern(x, systemsep), choice);
}

std::string tablenumbersingle(float x, SeparatorChoice choice, char systemsep) {
    return applychoice(tablepatternsingle(x, systemsep), choice);
}

std::string cliptable(const ModelState& s, int rows, SeparatorChoice choice, char systemsep) {
    const auto number = [&](double x) { return tablenumber(x, choice, systemsep); };
    const PotentialTerms terms = prepareterms(s);

    std::string text = yaxistext(s.yaxis + 1);
    text += " (y axis)\tErevANT (mV) (x axis)\tErevATPase (mV) (x axis)\t\tParameter name\tParameter value";
    text += lineend;

    int k = 0;
    for (int i = 0; i < rows; ++i) {
        const double y = rowvalue(s, rows, i);
        if (y <= 0) continue; // such rows are not plotted either, and take no parameter line
        const Potentials p = potentialsat(terms, y);
        // Outside the allowed ranges a potential may not be computable; the plot skips such a row too.
        if (!std::isfinite(p.ant) || !std::isfinite(p.atpase)) continue;
        text += number(y);
        text += tab;
        text += number(p.ant);
        text += tab;
        text += number(p.atpase);
        if (showsparameter(s, k)) {
            text += "\t\t";
            text += parametername(k);
            text += ' '; // written even when the unit is empty
            text += parameterunit(k);
            text += tab;
            text += tablenumbersingle(s.params[k].value, choice, systemsep);
        } else if (k == pKa2line) {
            text += "\t\tpKa2\t";
            text += number(s.pKa2);
        }
        text += lineend;
        ++k;
    }
    return text;
}

} // namespace kelvora
