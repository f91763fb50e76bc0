#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace catalog {

// Text fields of the binary catalogue files are Windows-1252; inside the program text is
// UTF-8.

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined become '?'.
std::string windows1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252, as the converters write names: a character the code page lacks
// becomes its closest plain letter (accents of Latin Extended-A dropped) or '?'; invalid
// UTF-8 gives '?'; control and invisible characters are dropped and exotic spaces become
// blanks. The result is cut to maxBytes.
std::string utf8ToWindows1252(std::string_view utf8, std::size_t maxBytes = std::string::npos);

} // namespace catalog
