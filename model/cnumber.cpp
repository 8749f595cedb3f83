#include "model/cnumber.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace kelvora {
namespace {

// Switches the calling thread to the "C" locale for the lifetime of the object.
class CLocale {
  public:
    CLocale() {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
        if (c) previous = uselocale(c);
    }
    ~CLocale() {
        if (previous) uselocale(previous);
    }
    CLocale(const CLocale&) = delete;
    CLocale& operator=(const CLocale&) = delete;

  private:
    locale_t previous{};
};

} // namespace

std::string printc(double x, char conversion, int precision) {
    const char* format = conversion == 'e' ? "%.*e" : "%.*f";
    CLocale c;
    const int length = std::snprintf(nullptr, 0, format, precision, x);
    if (length <= 0) return "0";
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, precision, x);
    text.pop_back();
    return text;
}

double readc(const std::string& text) {
    CLocale c;
    return std::strtod(text.c_str(), nullptr);
}

} // namespace kelvora
