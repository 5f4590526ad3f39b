// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <fstream>
#include <cctype>
#include <optional>
#include <string_view>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Assignment {
    std::string key;
    std::string op;
    std::string value;
};

// One KEY op "value" term at the front of text, which is consumed with its separator.
std::optional<Assignment> takeTerm(std::string_view& text) {
    auto skipSpace = [&] {
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
    };
    skipSpace();
    std::size_t keyEnd = 0;
    while (keyEnd < text.size() && (std::isupper(static_cast<unsigned char>(text[keyEnd])) || text[keyEnd] == '_'))
        ++keyEnd;
    if (keyEnd < text.size() && text[keyEnd] == '{') {
        const auto close = text.find('}', keyEnd);
        if (close == std::string_view::npos)
            return std::nullopt;
        keyEnd = close + 1;
    }
    if (keyEnd == 0)
        return std::nullopt;
    Assignment a;
    a.key = std::string(text.substr(0, keyEnd));
    text.remove_prefix(keyEnd);
    skipSpace();
    for (const char* op : {"==", "!=", "+=", "-=", ":=", "="}) {
        if (text.starts_with(op)) {
            a.op = op;
            text.remove_prefix(a.op.size());
            break;
        }
    }
    skipSpace();
    if (a.op.empty() || !text.starts_with('"'))
        return std::nullopt;
    const auto close = text.find('"', 1);
    if (close == std::string_view::npos)
        return std::nullopt;
    a.value = std::string(text.substr(1, close - 1));
    text.remove_prefix(close + 1);
    skipSpace();
    if (text.starts_with(','))
        text.remove_prefix(1);
    return a;
}

// The rule lines of a udev rules file (comments and blank lines dropped), each split into its
// KEY op "value" terms.
std::vector<std::vector<Assignment>> ruleLines(const std::string& path) {
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    std::vector<std::vector<Assignment>> rules;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<Assignment> terms;
        std::string_view rest = line;
        while (auto term = takeTerm(rest))
            terms.push_back(std::move(*term));
        EXPECT_TRUE(rest.empty()) << "unparsed text in rule: " << line;
        rules.push_back(std::move(terms));
    }
    return rules;
}

TEST(UdevRuleTest, GrantsTheSeatUserTheMouseHidrawNodesOnly) {
    const auto rules = ruleLines(VEXO_SOURCE_DIR "/data/70-vexo-t58.rules");
    ASSERT_FALSE(rules.empty());
    for (const auto& terms : rules) {
        bool hidraw = false, exactDevice = false, uaccess = false;
        for (const auto& t : terms) {
            if (t.key == "SUBSYSTEM" && t.op == "==" && t.value == "hidraw")
                hidraw = true;
            if (t.key == "KERNELS" && t.op == "==" && t.value == "0003:04D9:A09F.*")
                exactDevice = true;
            if (t.key == "TAG" && t.op == "+=" && t.value == "uaccess")
                uaccess = true;
            // Nothing may open the node to everyone or hand it to a group or owner.
            if (t.key == "MODE") {
                ASSERT_EQ(t.value.size(), 4u) << t.value;
                const int others = t.value.back() - '0';
                EXPECT_EQ(others & 2, 0) << "world-writable mode " << t.value;
            }
            EXPECT_NE(t.key, "OWNER");
            EXPECT_NE(t.key, "GROUP");
            EXPECT_NE(t.key, "RUN") << "the rule starts no programs";
        }
        EXPECT_TRUE(hidraw) << "every rule is limited to hidraw nodes";
        EXPECT_TRUE(exactDevice) << "every rule is limited to vendor 04D9 product A09F";
        EXPECT_TRUE(uaccess);
    }
}

} // namespace
