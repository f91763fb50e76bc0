#include "Args.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace cli {

Args::Args(const std::vector<std::string>& words, const std::vector<std::string>& valueOptions,
           const std::vector<std::string>& flagOptions) {
    auto known = [](const std::vector<std::string>& list, const std::string& w) {
        return std::find(list.begin(), list.end(), w) != list.end();
    };
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (known(flagOptions, w)) {
            m_flags[w] = true;
        } else if (known(valueOptions, w)) {
            if (i + 1 >= words.size())
                throw UsageError("option " + w + " needs a value");
            m_values[w] = words[++i];
        } else {
            throw UsageError("unknown argument '" + w + "'");
        }
    }
}

std::optional<std::string> Args::value(const std::string& name) const {
    auto it = m_values.find(name);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

std::string Args::text(const std::string& name, const std::string& fallback) const {
    return value(name).value_or(fallback);
}

double Args::number(const std::string& name, double fallback, double min, double max) const {
    const auto v = value(name);
    if (!v)
        return fallback;
    errno = 0;
    char* end = nullptr;
    const double d = std::strtod(v->c_str(), &end);
    if (v->empty() || end != v->c_str() + v->size() || errno == ERANGE || !std::isfinite(d))
        throw UsageError(name + " takes a number, not '" + *v + "'");
    if (d < min || d > max)
        throw UsageError(name + " must lie between " + std::to_string(min) + " and " +
                         std::to_string(max));
    return d;
}

int Args::integer(const std::string& name, int fallback, int min, int max) const {
    const auto v = value(name);
    if (!v)
        return fallback;
    errno = 0;
    char* end = nullptr;
    const long n = std::strtol(v->c_str(), &end, 10);
    if (v->empty() || end != v->c_str() + v->size() || errno == ERANGE)
        throw UsageError(name + " takes a whole number, not '" + *v + "'");
    if (n < min || n > max)
        throw UsageError(name + " must lie between " + std::to_string(min) + " and " +
                         std::to_string(max));
    return static_cast<int>(n);
}

} // namespace cli
