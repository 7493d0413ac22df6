#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/number_text.h"

using namespace core;

TEST(FloatText, GeneralFormLikeTheTables) {
    EXPECT_EQ(FloatText(0), "0");
    EXPECT_EQ(FloatText(1e-5), "1E-5");
    EXPECT_EQ(FloatText(0.0001), "0.0001");
    EXPECT_EQ(FloatText(0.000012), "1.2E-5");
    EXPECT_EQ(FloatText(-382.308266173), "-382.308266173");
    EXPECT_EQ(FloatText(27.2114), "27.2114");
    EXPECT_EQ(FloatText(2.5), "2.5");
    EXPECT_EQ(FloatText(100), "100");
    EXPECT_EQ(FloatText(0.1 + 0.2), "0.3");  // 15 significant digits
    EXPECT_EQ(FloatText(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatText(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(FloatText(-2.5e-7), "-2.5E-7");
}

TEST(IntAndFixedText, Basics) {
    EXPECT_EQ(IntText(-42), "-42");
    EXPECT_EQ(IntText(0), "0");
    EXPECT_EQ(FixedText(1.23456, 10, 4), "    1.2346");
    EXPECT_EQ(FixedText(-0.5, 1, 2), "-0.50");
}

TEST(Sci23Text, TwentyThreeCharacters) {
    EXPECT_EQ(Sci23Text(27.2114), " 2.72114000000000E+0001");
    EXPECT_EQ(Sci23Text(27.2114).size(), 23u);
    EXPECT_EQ(Sci23Text(-0.00125), "-1.25000000000000E-0003");
    EXPECT_EQ(Sci23Text(0), " 0.00000000000000E+0000");
}

TEST(RoundHalfEven, HalvesGoToEven) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(RoundHalfEven(1080 * 0.95), 1026);
}

TEST(Parse, DecimalPointOnlyAndNamedErrors) {
    EXPECT_DOUBLE_EQ(ParseDouble(" -1.5E-3 "), -1.5e-3);
    EXPECT_DOUBLE_EQ(ParseDouble("+2"), 2.0);
    EXPECT_DOUBLE_EQ(ParseDouble(".5"), 0.5);
    EXPECT_EQ(ParseInt("-17"), -17);
    for (const char* bad : {"1,5", "", "abc", "1.0D-03", "nan", "inf", "1.2.3", "--1", "++1"}) {
        try {
            ParseDouble(bad);
            ADD_FAILURE() << bad;
        } catch (const ConversionError& e) {
            EXPECT_NE(std::string(e.what()).find(std::string("'") + bad + "'"), std::string::npos);
        }
    }
    EXPECT_THROW(ParseInt("1.0"), ConversionError);
    EXPECT_THROW(ParseInt("99999999999999999999999"), ConversionError);
}
