#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// A look-up in a catalogue: the object is named by the words that are not options (an
// option "--name" takes the word after it), joined by blanks; "--data DIR" names the folder
// of the data files.
struct CatalogQuery {
    std::string text;
    std::filesystem::path dataDir;
};

// Throws UsageError for an unknown option, and with `missing` when no word names an object.
CatalogQuery parseCatalogQuery(const std::vector<std::string>& words, const std::string& missing);

// "HD 48915", "hd48915": the text after a catalogue prefix in any letter case, without the
// blanks between; none when the query does not start with the prefix.
std::optional<std::string_view> afterPrefix(std::string_view query, std::string_view prefix);

} // namespace cli
