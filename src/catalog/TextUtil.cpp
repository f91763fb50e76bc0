#include "catalog/TextUtil.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace catalog {

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isBlankOrTab(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string_view trimBlanksAndTabs(std::string_view s) {
    while (!s.empty() && isBlankOrTab(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlankOrTab(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view upToNul(std::string_view field) {
    return field.substr(0, field.find('\0'));
}

std::string_view upToNul(const unsigned char* field, std::size_t width) {
    return upToNul(std::string_view(reinterpret_cast<const char*>(field), width));
}

std::optional<double> parseWholeDouble(std::string_view s) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long> parseWholeLong(std::string_view s) {
    long value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

long nextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int length = 0;
    long cp = 0;
    if (b0 < 0x80) {
        ++i;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        cp = b0 & 0x07;
    } else {
        ++i;
        return -1;
    }
    if (i + static_cast<std::size_t>(length) > s.size()) {
        ++i;
        return -1;
    }
    for (int k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return -1;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr long kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return -1;
    }
    i += static_cast<std::size_t>(length);
    return cp;
}

std::string jsonQuoted(std::string_view s) {
    std::string out = "\"";
    for (const unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

} // namespace catalog
