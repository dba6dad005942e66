// The line format of the differential check's cases, shared by the generator and the driver.
// A case is one line: a kind letter and its fields, separated by '|'. A text field keeps
// printable ASCII as it is and writes every other byte, '\' and '|' as \xHH, so that a case
// with tabs, line breaks, any UTF-8 (valid or not) stays one line and reads the same everywhere.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace differential {

inline std::string escape(std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\' && c != '|') {
            out.push_back(c);
        } else {
            out += "\\x";
            out.push_back(hex[byte >> 4]);
            out.push_back(hex[byte & 0xF]);
        }
    }
    return out;
}

inline int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The text an escaped field stands for; a malformed escape is kept as it is.
inline std::string unescape(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] == 'x' && hexDigit(field[i + 2]) >= 0 &&
            hexDigit(field[i + 3]) >= 0) {
            out.push_back(static_cast<char>(hexDigit(field[i + 2]) * 16 + hexDigit(field[i + 3])));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

inline std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t bar = line.find('|'); bar != std::string_view::npos; bar = line.find('|', start)) {
        fields.push_back(line.substr(start, bar - start));
        start = bar + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

}  // namespace differential
