#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Small text helpers shared by the catalogue loaders, the converters and the command line.
namespace catalog {

// Equal but for the letter case of A-Z.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Without the blanks (' ') at both ends.
std::string_view trimBlanks(std::string_view s);

// Without the blanks and tabs at both ends.
std::string_view trimBlanksAndTabs(std::string_view s);

// A text field of a fixed width up to its first NUL; the whole field when it has none.
std::string_view upToNul(std::string_view field);
std::string_view upToNul(const unsigned char* field, std::size_t width);

// A number written in all of s and nothing else (no blanks, no '+'); none otherwise, and for
// a real number also when it is not finite.
std::optional<double> parseWholeDouble(std::string_view s);
std::optional<long> parseWholeLong(std::string_view s);

// The UTF-8 character at s[i], advancing i past it; -1 (advancing one byte) for a malformed,
// overlong or truncated sequence, a surrogate or a value above U+10FFFF.
long nextCodePoint(std::string_view s, std::size_t& i);

// A JSON string literal of UTF-8 text: quotes and backslashes escaped, control characters
// as \u00XX.
std::string jsonQuoted(std::string_view s);

} // namespace catalog
