#include "cli/Json.h"

namespace orlamo::cli {

namespace {

// Length of the valid UTF-8 sequence at the start of `text`, or 0 when its first byte does not
// begin one (stray continuation bytes, overlong forms, surrogates, values above U+10FFFF).
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto continuation = [&](std::size_t i) {
        return i < text.size() && (byte(i) & 0xC0) == 0x80;
    };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!continuation(1) || !continuation(2))
            return 0;
        if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) >= 0xA0))
            return 0;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!continuation(1) || !continuation(2) || !continuation(3))
            return 0;
        if ((lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) >= 0x90))
            return 0;
        return 4;
    }
    return 0;
}

} // namespace

void AppendJsonEscaped(std::string& out, std::string_view text) {
    static const char Hex[] = "0123456789abcdef";
    while (!text.empty()) {
        const unsigned char c = static_cast<unsigned char>(text.front());
        std::size_t length = 1;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += Hex[c >> 4];
                out += Hex[c & 0xF];
            } else if (c < 0x80) {
                out += static_cast<char>(c);
            } else if ((length = Utf8SequenceLength(text)) != 0) {
                out.append(text.substr(0, length));
            } else {
                out += "\\ufffd";
                length = 1;
            }
        }
        text.remove_prefix(length);
    }
}

std::string JsonString(std::string_view text) {
    std::string quoted = "\"";
    AppendJsonEscaped(quoted, text);
    quoted += '"';
    return quoted;
}

JsonObject& JsonObject::Add(std::string_view key, std::string_view value) {
    return AddRaw(key, JsonString(value));
}

JsonObject& JsonObject::Add(std::string_view key, bool value) {
    return AddRaw(key, value ? "true" : "false");
}

JsonObject& JsonObject::AddRaw(std::string_view key, std::string_view json) {
    if (Body.size() > 1)
        Body += ", ";
    Body += JsonString(key);
    Body += ": ";
    Body += json;
    return *this;
}

JsonArray& JsonArray::Add(std::string_view value) {
    return AddRaw(JsonString(value));
}

JsonArray& JsonArray::AddRaw(std::string_view json) {
    if (Body.size() > 1)
        Body += ", ";
    Body += json;
    return *this;
}

} // namespace orlamo::cli
