#include "model/ParsedNumber.h"

#include "platform/Conversions.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// What converting the text at the point of use gives: a value, or an error's message.
struct Outcome {
    std::optional<double> value;
    std::string error;
};

template <typename Convert> Outcome OutcomeOf(Convert convert) {
    try {
        return {convert(), {}};
    } catch (const EConvertError& error) {
        return {std::nullopt, error.what()};
    }
}

class ParsedNumberTest : public testing::TestWithParam<const char*> {};

// Converted once, a text gives what StrToFloat gives at every use: the same value, or the same
// conversion error, every time.
TEST_P(ParsedNumberTest, GivesWhatStrToFloatGives) {
    const AnsiString text = GetParam();
    const Outcome expected = OutcomeOf([&] { return StrToFloat(text); });
    const ParsedNumber number(text);
    for (int use = 0; use < 2; ++use) {
        const Outcome got = OutcomeOf([&] { return number.Value(); });
        EXPECT_EQ(got.value, expected.value);
        EXPECT_EQ(got.error, expected.error);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ParsedNumberTest,
                         testing::Values("0", "4.999", " 60 ", "-0", "1e3", "1.5E-5", "", "abc",
                                         "1.2.3", ",1.0", "1e999", "\x82\x50", "\x81\xFF"));

TEST(ParsedNumberDefaultTest, RaisesAsAnEmptyTextDoes) {
    EXPECT_THROW(ParsedNumber().Value(), EConvertError);
}

} // namespace
