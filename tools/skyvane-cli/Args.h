#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

// A bad command line: the message is printed on one line and the program exits with 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Damaged data files and no --allow-damaged: the files are named on standard error and the
// program exits with 3.
struct DamagedData : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// "--name value" options and "--flag" switches after a sub-command.
class Args {
public:
    Args(const std::vector<std::string>& words, const std::vector<std::string>& valueOptions,
         const std::vector<std::string>& flagOptions);

    bool has(const std::string& name) const { return m_values.count(name) || m_flags.count(name); }
    std::optional<std::string> value(const std::string& name) const;

    std::string text(const std::string& name, const std::string& fallback) const;
    double number(const std::string& name, double fallback, double min, double max) const;
    int integer(const std::string& name, int fallback, int min, int max) const;

private:
    std::map<std::string, std::string> m_values;
    std::map<std::string, bool> m_flags;
};

} // namespace cli
