#include "config/shownname.h"

#include <cstdint>
#include <cstdio>

namespace kelvora {
namespace {

constexpr char32_t firstprintable = 0x20;
constexpr char32_t deletechar = 0x7f;
constexpr char32_t lastc1control = 0x9f;
constexpr char32_t lineseparator = 0x2028;
constexpr char32_t paragraphseparator = 0x2029;
constexpr char32_t lastcodepoint = 0x10ffff;
constexpr char32_t firstsurrogate = 0xd800;
constexpr char32_t lastsurrogate = 0xdfff;
constexpr int escapechars = 16;

// The length of the valid UTF-8 sequence at the start of text and its code point; 0 when there is none.
std::size_t utf8sequence(std::string_view text, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if ((lead & 0xe0) == 0xc0) {
        length = 2;
        code = lead & 0x1f;
        smallest = 0x80;
    } else if ((lead & 0xf0) == 0xe0) {
        length = 3;
        code = lead & 0x0f;
        smallest = 0x800;
    } else if ((lead & 0xf8) == 0xf0) {
        length = 4;
        code = lead & 0x07;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xc0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3f);
    }
    // Over-long forms, surrogates and numbers beyond Unicode are not text either.
    if (code < smallest || code > lastcodepoint || (code >= firstsurrogate && code <= lastsurrogate))
        return 0;
    return length;
}

bool breaksline(char32_t code) {
    return code < firstprintable || code == deletechar || (code > deletechar && code <= lastc1control) ||
           code == lineseparator || code == paragraphseparator;
}

} // namespace

std::string shownname(std::string_view name) {
    std::string shown;
    char escape[escapechars];
    while (!name.empty()) {
        char32_t code = 0;
        const std::size_t length = utf8sequence(name, code);
        if (length == 0) {
            std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(name[0]));
            shown += escape;
            name.remove_prefix(1);
            continue;
        }
        if (code == '\\') {
            shown += "\\\\";
        } else if (breaksline(code)) {
            std::snprintf(escape, sizeof escape, code < deletechar + 1 ? "\\x%02x" : "\\u{%04x}",
                          static_cast<unsigned>(code));
            shown += escape;
        } else {
            shown.append(name.substr(0, length));
        }
        name.remove_prefix(length);
    }
    return shown;
}

} // namespace kelvora
