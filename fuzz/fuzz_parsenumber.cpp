// Feeds arbitrary bytes to parsenumber: it must never crash and always return a finite number that is
// not a negative zero. The short text of that number must read back to a number with the same text,
// under either decimal separator, so that what the program writes it can read again.
#include "model/numtext.h"
#include "model/parsenumber.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = kelvora::parsenumber(text);
    if (!std::isfinite(value)) std::abort();
    if (value == 0 && std::signbit(value)) std::abort();

    for (const char sep : {'.', ','}) {
        const std::string written = kelvora::shorttext(value, sep);
        const double reread = kelvora::parsenumber(written);
        if (!std::isfinite(reread) || kelvora::shorttext(reread, sep) != written) std::abort();
    }
    return 0;
}
