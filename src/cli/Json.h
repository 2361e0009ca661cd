#pragma once
// Small JSON output helpers for orlamo-cli: string escaping and one-line objects and arrays in the
// style "{"key": value, "key": value}". Output only; the tool never parses JSON.

#include <concepts>
#include <string>
#include <string_view>

namespace orlamo::cli {

// Appends `text` escaped for the inside of a JSON string (without the quotes): quotes,
// backslashes and control characters are escaped, valid UTF-8 passes through unchanged, and each
// byte that is not part of valid UTF-8 becomes U+FFFD so that the output is always valid JSON.
void AppendJsonEscaped(std::string& out, std::string_view text);

// `text` as a quoted JSON string.
std::string JsonString(std::string_view text);

// Builds one JSON object on one line, members in the order they are added.
class JsonObject {
public:
    JsonObject& Add(std::string_view key, std::string_view value);
    JsonObject& Add(std::string_view key, const char* value) {
        return Add(key, std::string_view(value));
    }
    JsonObject& Add(std::string_view key, const std::string& value) {
        return Add(key, std::string_view(value));
    }
    JsonObject& Add(std::string_view key, bool value);
    template <std::integral Number>
    requires(!std::same_as<Number, bool>) JsonObject& Add(std::string_view key, Number value) {
        return AddRaw(key, std::to_string(value));
    }
    // A value that is JSON already (a nested object or array, null).
    JsonObject& AddRaw(std::string_view key, std::string_view json);

    std::string Text() const { return Body + "}"; }

private:
    std::string Body = "{";
};

// Builds one JSON array on one line.
class JsonArray {
public:
    JsonArray& Add(std::string_view value);
    JsonArray& Add(const char* value) { return Add(std::string_view(value)); }
    JsonArray& Add(const std::string& value) { return Add(std::string_view(value)); }
    template <std::integral Number>
    requires(!std::same_as<Number, bool>) JsonArray& Add(Number value) {
        return AddRaw(std::to_string(value));
    }
    JsonArray& AddRaw(std::string_view json);

    std::string Text() const { return Body + "]"; }

private:
    std::string Body = "[";
};

} // namespace orlamo::cli
