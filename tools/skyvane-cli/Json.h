#pragma once

#include "catalog/TextUtil.h"

#include <cstdio>
#include <string>

namespace cli {

// One JSON object on one line, fields in the order they are added.
class JsonLine {
public:
    JsonLine& add(const std::string& key, double value) {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.10g", value);
        return raw(key, buf);
    }
    JsonLine& add(const std::string& key, int value) { return raw(key, std::to_string(value)); }
    JsonLine& add(const std::string& key, bool value) { return raw(key, value ? "true" : "false"); }
    JsonLine& add(const std::string& key, const std::string& value) {
        return raw(key, quote(value));
    }
    JsonLine& add(const std::string& key, const char* value) {
        return add(key, std::string(value));
    }

    std::string str() const { return "{" + m_body + "}"; }
    void print() const { std::puts(str().c_str()); }

    static std::string quote(const std::string& s) { return catalog::jsonQuoted(s); }

private:
    JsonLine& raw(const std::string& key, const std::string& value) {
        if (!m_body.empty())
            m_body += ',';
        m_body += quote(key) + ":" + value;
        return *this;
    }
    std::string m_body;
};

} // namespace cli
