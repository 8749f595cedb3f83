// The decimal separator of the system's regional settings, for every number written for people. The
// header needs no Qt, so that any code may include it.
#pragma once

#include <string_view>

namespace kelvora {

// The separator the number texts write for a regional setting's decimal separator: ',' where the
// setting is the comma, '.' for anything else. The number texts know only these two, so a setting that
// is neither (the Arabic decimal separator, or a custom text of several characters) takes the point.
char decimalseparator(std::u16string_view setting);

// The separator for the system's regional settings ('.' or ',').
char systemseparator();

} // namespace kelvora
