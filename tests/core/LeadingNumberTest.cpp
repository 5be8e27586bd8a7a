#include "core/LeadingNumber.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace kestrix {
namespace {

struct Reading {
    std::string text;
    std::int32_t value;
};

void PrintTo(const Reading& reading, std::ostream* os) {
    *os << '"' << reading.text << '"';
}

class LeadingNumberTest : public ::testing::TestWithParam<Reading> {};

TEST_P(LeadingNumberTest, ReadsLikeTheTotalsDo) {
    EXPECT_EQ(leadingNumberValue(GetParam().text), GetParam().value)
        << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Plain, LeadingNumberTest,
                         ::testing::Values(Reading{"", 0}, Reading{"0", 0}, Reading{"15", 15},
                                           Reading{"-2", -2}, Reading{"+4", 4}, Reading{"2x", 2},
                                           Reading{"x2", 0}, Reading{"abc", 0}, Reading{" 7", 7},
                                           Reading{"7 ", 7}, Reading{"   ", 0}, Reading{"\t7", 0},
                                           Reading{"- 7", 0}, Reading{"+ 7", 0}, Reading{"-", 0},
                                           Reading{"+", 0}, Reading{"--1", 0}, Reading{"Var.", 0},
                                           Reading{"3 Perícia : Luta", 3},
                                           Reading{"-1 Aparência Inofensiva", 1}, Reading{"-1", -1},
                                           Reading{"-2 Má Fama", 2}, Reading{"1-2", 1},
                                           Reading{"007", 7}, Reading{"-0", 0}));

INSTANTIATE_TEST_SUITE_P(Hexadecimal, LeadingNumberTest,
                         ::testing::Values(Reading{"$1F", 31}, Reading{"$1f", 31}, Reading{"$", 0},
                                           Reading{"$G", 0}, Reading{"$10x", 16},
                                           Reading{" $A", 10}, Reading{"-$A", 0},
                                           Reading{"$7FFFFFFF", 2147483647},
                                           Reading{"$FFFFFFFF", -1}, Reading{"$FFFFFFFFF", -1},
                                           Reading{"$123456789", 0x12345678}));

// The decimal reading stops once the accumulated value passes 214748364, and
// wraps around in 32 bits when the digits reach the end of the text.
INSTANTIATE_TEST_SUITE_P(
    Overflow, LeadingNumberTest,
    ::testing::Values(Reading{"2147483647", 2147483647}, Reading{"-2147483647", -2147483647},
                      Reading{"2147483648", -2147483647 - 1},
                      Reading{"-2147483648", -2147483647 - 1}, Reading{"2147483649", -2147483647},
                      Reading{"-2147483649", 2147483647}, Reading{"2147483649x", -2147483647},
                      Reading{"4294967295", 429496729}, Reading{"21474836470", 2147483647},
                      Reading{"-9999999999", 999999999}, Reading{"999999999", 999999999},
                      Reading{"-999999999", -999999999}, Reading{"2147483650", 214748365},
                      Reading{"-2147483650 x", 214748365}));

} // namespace
} // namespace kestrix
