// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The profile document and its JSON: exact round trips, and every bad input refused by field.
#include "config/profile_document.h"

#include <gtest/gtest.h>

#include <random>

#include "config/json_value.h"

namespace vexo {
namespace {

std::string RandomText(std::mt19937& rng, std::size_t max) {
    // ASCII, quotes, backslashes, tabs and multi-byte UTF-8, no line breaks.
    static const std::vector<std::string> pieces{"a",  "Z", " ", "\"", "\\", "\t",  "é",
                                                 "中", "😀", "/", "=",  "[",  "\x7f"};
    std::string text;
    const std::size_t n = rng() % (max + 1);
    for (std::size_t i = 0; i < n; ++i)
        text += pieces[rng() % pieces.size()];
    return text;
}

ProfileContent RandomContent(std::mt19937& rng) {
    ProfileContent c;
    c.firstRunFlag = static_cast<std::uint8_t>(rng());
    for (auto& byte : c.record.bytes())
        byte = static_cast<std::uint8_t>(rng());
    for (auto* labels : {&c.labelsA, &c.labelsB})
        for (auto& label : *labels)
            label = RandomText(rng, 12);
    c.language = RandomText(rng, 4);
    c.skin = RandomText(rng, 8);
    for (std::size_t m = rng() % 12; m > 0; --m) {
        ProfileMacro macro{RandomText(rng, 10) + std::to_string(m), std::to_string(rng() % 300), {}};
        for (std::size_t l = rng() % 20; l > 0; --l)
            macro.lines.push_back(RandomText(rng, 16));
        c.macros.push_back(macro);
    }
    return c;
}

TEST(ProfileDocumentTest, RandomContentSurvivesWriteAndRead) {
    std::mt19937 rng(26);
    for (int round = 0; round < 300; ++round) {
        const ProfileContent c = RandomContent(rng);
        const std::string text = ProfileDocument::Write(c);
        const auto back = ProfileDocument::Read(text);
        ASSERT_TRUE(back.content) << round << ": " << (back.errors.empty() ? "" : back.errors[0]);
        EXPECT_TRUE(back.content->record == c.record);
        EXPECT_EQ(back.content->firstRunFlag, c.firstRunFlag);
        EXPECT_EQ(back.content->labelsA, c.labelsA);
        EXPECT_EQ(back.content->labelsB, c.labelsB);
        EXPECT_EQ(back.content->language, c.language);
        EXPECT_EQ(back.content->skin, c.skin);
        EXPECT_EQ(back.content->macros, c.macros);
        EXPECT_EQ(ProfileDocument::Write(*back.content), text) << "the same content gives the same text";
    }
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(ProfileDocumentTest, BadDocumentsAreRefusedNamingTheField) {
    ProfileContent c;
    c.language = "EN";
    c.macros.push_back({"Reload", "1", {"a", "b"}});
    const std::string good = ProfileDocument::Write(c);
    ASSERT_TRUE(ProfileDocument::Read(good).content);
    struct Case {
        std::string text;
        std::string mentions;
    };
    const std::vector<Case> cases{
        {"", "not a valid JSON"},
        {"[]", "must be a JSON object"},
        {good + "x", "text after the value"},
        {Replace(good, "\"version\": 1", "\"version\": 2"), "version: version 2"},
        {Replace(good, "\"version\": 1", "\"version\": 1.0"), "whole numbers"},
        {Replace(good, "\"firstRunFlag\": 1", "\"firstRunFlag\": 256"), "firstRunFlag:"},
        {Replace(good, "\"record\": \"00", "\"record\": \"0"), "record: must be 4082 hex digits"},
        {Replace(good, "\"record\": \"00", "\"record\": \"0g"), "record: must be 4082 hex digits"},
        {Replace(good, "\"skin\": \"\"", "\"skin\": 5"), "skin: must be a string"},
        {Replace(good, "\"skin\": \"\"", "\"skin\": \"a\\nb\""), "skin: must not contain line breaks"},
        {Replace(good, "\"skin\": \"\"", "\"skin\": \"\\ud800\""), "surrogate"},
        {Replace(good, "\"skin\": \"\"", "\"skin\": \"\xff\""), "not UTF-8"},
        {Replace(good, "\"skin\": \"\"", "\"skin\": \"\", \"skin\": \"\""), "given twice"},
        {Replace(good, "\"skin\": \"\"", "\"skin\": \"\", \"colour\": 1"), "colour: unknown field"},
        {Replace(good, "\"loopTimes\"", "\"speed\": 1, \"loopTimes\""), "macros[0].speed: unknown field"},
        {Replace(good, "\"a\",", "7,"), "macros[0].lines[0]: must be a string"},
        {Replace(good, "\"a\": [\n      \"\",", "\"a\": ["), "labels.a: must have 12 entries"},
        {std::string(40, '[') + std::string(40, ']'), "nested deeper"},
        {std::string(JsonValue::kMaxText + 1, ' '), "larger than"},
    };
    for (const Case& k : cases) {
        const auto r = ProfileDocument::Read(k.text);
        EXPECT_FALSE(r.content) << k.mentions;
        ASSERT_FALSE(r.errors.empty()) << k.mentions;
        EXPECT_NE(r.errors[0].find(k.mentions), std::string::npos) << r.errors[0];
    }
}

TEST(JsonValueTest, EscapesAndNumbersReadAsWritten) {
    std::string error;
    const auto v = JsonValue::Parse(
        R"({"s": "\u00e9\ud83d\ude00\"\\\/\b\f\n\r\t", "n": -9223372036854775808, "e": [], "o": {}})", error);
    ASSERT_TRUE(v) << error;
    EXPECT_EQ(v->find("s")->string(), "é😀\"\\/\b\f\n\r\t");
    EXPECT_EQ(v->find("n")->number(), INT64_MIN);
    const auto again = JsonValue::Parse(v->Format(), error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(again->Format(), v->Format());
    for (const char* bad : {"01", "-", "1e5", "99999999999999999999", "\"\\x\"", "\"\x01\"", "tru", "[1,]", "{\"a\" 1}",
                            "\"\xc0\xaf\"", "\"\xed\xa0\x80\""})
        EXPECT_FALSE(JsonValue::Parse(bad, error)) << bad;
}

} // namespace
} // namespace vexo
