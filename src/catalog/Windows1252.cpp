#include "catalog/Windows1252.h"

#include "catalog/TextUtil.h"

#include <array>

namespace catalog {

namespace {

// Unicode code points of the Windows-1252 bytes 0x80..0x9f; 0 where the code page has none.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The base letters of U+0100..U+017F (Latin Extended-A), one per character.
constexpr std::string_view kLatinExtendedABase = "AaAaAaCcCcCcCcDd"
                                                 "DdEeEeEeEeEeGgGg"
                                                 "GgGgHhHhIiIiIiIi"
                                                 "IiIiJjKkkLlLlLlL"
                                                 "lLlNnNnNnnNnOoOo"
                                                 "OoOoRrRrRrSsSsSs"
                                                 "SsTtTtTtUuUuUuUu"
                                                 "UuUuWwYyYZzZzZzs";
static_assert(kLatinExtendedABase.size() == 0x80);

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isInvisible(long cp) {
    return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x200B && cp <= 0x200F) ||
           (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2060 && cp <= 0x2064) || cp == 0xFEFF ||
           cp == 0x00AD;
}

bool isSpace(long cp) {
    return cp == 0x00A0 || (cp >= 0x2000 && cp <= 0x200A) || cp == 0x202F || cp == 0x205F ||
           cp == 0x3000;
}

} // namespace

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) {
        if (b < 0x80)
            out += static_cast<char>(b);
        else if (b < 0xA0)
            appendUtf8(out, kHigh[b - 0x80] != 0 ? kHigh[b - 0x80] : u'?');
        else
            appendUtf8(out, b);
    }
    return out;
}

std::string utf8ToWindows1252(std::string_view utf8, std::size_t maxBytes) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size() && out.size() < maxBytes) {
        const long cp = nextCodePoint(utf8, i);
        if (cp < 0) {
            out += '?';
        } else if (cp < 0x20 || cp == 0x7F || isInvisible(cp)) {
            continue;
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (isSpace(cp)) {
            out += ' ';
        } else if (cp >= 0xA0 && cp <= 0xFF) {
            out += static_cast<char>(static_cast<unsigned char>(cp));
        } else if (cp >= 0x100 && cp <= 0x17F &&
                   !(cp == 0x152 || cp == 0x153 || cp == 0x160 || cp == 0x161 || cp == 0x178 ||
                     cp == 0x17D || cp == 0x17E)) {
            out += kLatinExtendedABase[static_cast<std::size_t>(cp - 0x100)];
        } else {
            char byte = '?';
            for (std::size_t k = 0; k < kHigh.size(); ++k)
                if (kHigh[k] != 0 && kHigh[k] == cp)
                    byte = static_cast<char>(0x80 + k);
            out += byte;
        }
    }
    return out;
}

} // namespace catalog
