#pragma once

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

    static std::string quote(const std::string& s) {
        std::string out = "\"";
        for (unsigned char c : s) {
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
