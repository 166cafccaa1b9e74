// The API's bodies are read strictly: only a flat object of strings, whole
// numbers and true/false passes.
#include <gtest/gtest.h>

#include "web/Json.h"

TEST(Json, OnlyAFlatObjectOfStringsWholeNumbersAndBooleansPasses) {
    const std::pair<const char*, bool> bodies[] = {
        {R"({"action":"timings","hang":600,"kerchunk":2500,"x":true})", true},
        {R"( {"a":-9223372036854775808} )", true},
        {R"({"hang":000600})", false},             // leading zeros
        {R"({"a":1,"a":2})", false},               // a name twice
        {R"({"a":{"b":1}})", false},               // nested
        {R"({"a":[1]})", false},
        {R"({"a":1.5})", false},                   // a fraction
        {R"({"a":null})", false},
        {R"({"a":9223372036854775808})", false},   // beyond a whole number
        {R"({"a":"\x"})", false},                  // a bad escape
        {"{\"a\":\"\xff\"}", false},               // not UTF-8
        {R"({"a":1} x)", false},                   // trailing bytes
        {R"(["a"])", false},
        {"", false},
    };
    for (const auto& [body, passes] : bodies) EXPECT_EQ(tc::json::parseFlatObject(body).has_value(), passes) << body;
    EXPECT_EQ(tc::json::quote("a\"b\\\n\x01\xc3\xa9"), "\"a\\\"b\\\\\\n\\u0001\xc3\xa9\"");
}
