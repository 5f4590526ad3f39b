#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Assignment {
    std::string key;
    std::string op;
    std::string value;
};

// The rule lines of a udev rules file (comments and blank lines dropped), each split into its
// KEY op "value" terms.
std::vector<std::vector<Assignment>> ruleLines(const std::string& path) {
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    std::vector<std::vector<Assignment>> rules;
    std::string line;
    const std::regex term(R"re(\s*([A-Z_]+(?:\{[^}]*\})?)\s*(==|!=|\+=|-=|:=|=)\s*"([^"]*)"\s*(,|$))re");
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<Assignment> terms;
        std::string rest = line;
        std::smatch m;
        while (!rest.empty() && std::regex_search(rest, m, term, std::regex_constants::match_continuous)) {
            terms.push_back({m[1], m[2], m[3]});
            rest = m.suffix();
        }
        EXPECT_TRUE(rest.empty()) << "unparsed text in rule: " << line;
        rules.push_back(std::move(terms));
    }
    return rules;
}

TEST(UdevRuleTest, GrantsTheSeatUserTheMouseHidrawNodesOnly) {
    const auto rules = ruleLines(VEXO_SOURCE_DIR "/data/70-vexo-t58.rules");
    ASSERT_FALSE(rules.empty());
    const std::regex kernels(R"(0003:04D9:A09F\.\*)");
    for (const auto& terms : rules) {
        bool hidraw = false, exactDevice = false, uaccess = false;
        for (const auto& t : terms) {
            if (t.key == "SUBSYSTEM" && t.op == "==" && t.value == "hidraw")
                hidraw = true;
            if (t.key == "KERNELS" && t.op == "==" && std::regex_match(t.value, kernels))
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
