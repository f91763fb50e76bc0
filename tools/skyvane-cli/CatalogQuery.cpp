#include "CatalogQuery.h"

#include "Args.h"

#include "catalog/TextUtil.h"

namespace cli {

CatalogQuery parseCatalogQuery(const std::vector<std::string>& words, const std::string& missing) {
    std::vector<std::string> options;
    CatalogQuery query;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].starts_with("--")) {
            options.push_back(words[i]);
            if (i + 1 < words.size())
                options.push_back(words[++i]);
            continue;
        }
        query.text += (query.text.empty() ? "" : " ") + words[i];
    }
    const Args a(options, {"--data"}, {});
    if (query.text.empty())
        throw UsageError(missing);
    query.dataDir = a.text("--data", SKYVANE_SOURCE_DATA_DIR);
    return query;
}

std::optional<std::string_view> afterPrefix(std::string_view query, std::string_view prefix) {
    if (query.size() < prefix.size() ||
        !catalog::equalsIgnoringCase(query.substr(0, prefix.size()), prefix))
        return std::nullopt;
    std::string_view rest = query.substr(prefix.size());
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    return rest;
}

} // namespace cli
