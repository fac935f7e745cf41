#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The key decides exactly as SameText does, for both orders of the two texts.
void ExpectKeyAgrees(const std::string& a, const std::string& b) {
    const bool sameKeys = cp932::SameTextKey(a) == cp932::SameTextKey(b);
    if (sameKeys != cp932::SameText(a, b) || sameKeys != cp932::SameText(b, a)) {
        ADD_FAILURE() << "keys of " << testing::PrintToString(a) << " and "
                      << testing::PrintToString(b) << (sameKeys ? " agree" : " differ")
                      << ", SameText says otherwise";
    }
}

// Every pair of characters of one width: each byte, and each two-byte character of the lead
// bytes that hold signs, kana and the full-width Latin, Greek and Cyrillic letters.
TEST(SameTextKeyTest, AgreesWithSameTextForEveryPairOfCharacters) {
    std::vector<std::string> single;
    for (int byte = 0; byte < 256; ++byte) {
        single.push_back(std::string(1, static_cast<char>(byte)));
    }
    std::vector<std::string> wide;
    for (int lead = 0x81; lead <= 0x84; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            wide.push_back({static_cast<char>(lead), static_cast<char>(trail)});
        }
    }
    for (const auto* set : {&single, &wide}) {
        for (const std::string& a : *set) {
            for (const std::string& b : *set) {
                ExpectKeyAgrees(a, b);
            }
        }
    }
}

// Every text of up to three pieces from pieces that pair up in many ways: letters of both cases
// and widths, two-byte characters whose trail byte is an ASCII letter, a lone lead byte, so
// that characters of one text can stand at the other's trail bytes.
TEST(SameTextKeyTest, AgreesWithSameTextWhereCharactersOfTwoTextsOverlap) {
    const std::vector<std::string> pieces = {
        "A",
        "a",
        "x",
        "\x82\x60" /* Ａ */,
        "\x82\x81" /* ａ */,
        "\x83\x41" /* ア */,
        "\x83\x61" /* ヂ */,
        "\x83\x9F" /* Α */,
        "\x83\xBF" /* α */,
        "\x84\x40" /* А */,
        "\x84\x70" /* а */,
        "\x82",
        "\x83",
    };
    std::vector<std::string> texts;
    std::vector<std::string> previous{""};
    for (int length = 1; length <= 3; ++length) {
        std::vector<std::string> longer;
        for (const std::string& text : previous) {
            for (const std::string& piece : pieces) {
                longer.push_back(text + piece);
            }
        }
        texts.insert(texts.end(), longer.begin(), longer.end());
        previous = std::move(longer);
    }
    ASSERT_GT(texts.size(), 2000u);
    for (const std::string& a : texts) {
        for (const std::string& b : texts) {
            if (a.size() == b.size()) {
                ExpectKeyAgrees(a, b);
            }
        }
    }
}

} // namespace
