#include "cli/Json.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace orlamo::cli;

TEST(Json, StringEscaping) {
    struct Case {
        const char* name;
        std::string text;
        std::string json;
    };
    const Case cases[] = {
        {"plain", "a b.wav", R"("a b.wav")"},
        {"empty", "", R"("")"},
        {"quote and backslash", R"(say "hi" \ bye)", R"("say \"hi\" \\ bye")"},
        {"named controls", "\b\f\n\r\t", R"("\b\f\n\r\t")"},
        {"other controls", std::string("\0\x01\x1f", 3), R"("\u0000\u0001\u001f")"},
        {"delete passes", "\x7f", "\"\x7f\""},
        {"slash passes", "a/b", R"("a/b")"},
        {"two-byte UTF-8",
         "Gr\xc3\xbc\xc3\x9f"
         "e",
         "\"Gr\xc3\xbc\xc3\x9f"
         "e\""},
        {"three-byte UTF-8", "\xe2\x82\xac", "\"\xe2\x82\xac\""},
        {"four-byte UTF-8", "\xf0\x9f\x8e\xb5", "\"\xf0\x9f\x8e\xb5\""},
        {"Latin-1 byte", "caf\xe9.wav", R"("caf\ufffd.wav")"},
        {"stray continuation", "\x80x", R"("\ufffdx")"},
        {"cut sequence at end", "a\xe2\x82", R"("a\ufffd\ufffd")"},
        {"overlong slash", "\xc0\xaf", R"("\ufffd\ufffd")"},
        {"surrogate", "\xed\xa0\x80", R"("\ufffd\ufffd\ufffd")"},
        {"above U+10FFFF", "\xf4\x90\x80\x80", R"("\ufffd\ufffd\ufffd\ufffd")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JsonString(c.text), c.json);
    }
}

TEST(Json, ObjectsAndArrays) {
    EXPECT_EQ(JsonObject().Text(), "{}");
    EXPECT_EQ(JsonArray().Text(), "[]");
    const std::string name = "x\"y";
    const JsonObject object =
        JsonObject()
            .Add("file", name)
            .Add("accepted", true)
            .Add("refused", false)
            .Add("rate_index", -1)
            .Add("format_code", std::uint32_t{0x90000000})
            .Add("size", std::uint64_t{1} << 40)
            .Add("time", "1.00")
            .AddRaw("list", JsonArray().Add("a").Add(3).AddRaw("null").Text());
    EXPECT_EQ(object.Text(),
              R"({"file": "x\"y", "accepted": true, "refused": false, )"
              R"("rate_index": -1, "format_code": 2415919104, "size": 1099511627776, )"
              R"("time": "1.00", "list": ["a", 3, null]})");
}
