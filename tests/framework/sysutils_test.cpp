#include "framework/sysutils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/exceptions.h"

namespace {

std::string ConvertMessage(const std::string& text) {
    try {
        StrToInt(text);
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return "(no exception)";
}

}  // namespace

TEST(StrToInt, AcceptsBlanksSignsAndHexadecimal) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("  42"), 42);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("-15"), -15);
    EXPECT_EQ(StrToInt("007"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt("$ff"), 255);
    EXPECT_EQ(StrToInt(" -$10"), -16);
    EXPECT_EQ(StrToInt("$7FFFFFFF"), INT32_MAX);
    // A bare hexadecimal number is a bit pattern.
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("$80000000"), INT32_MIN);
    EXPECT_EQ(StrToInt("-$80000000"), INT32_MIN);
    EXPECT_EQ(StrToInt("00000000000000000001"), 1);
}

TEST(StrToInt, RefusesEverythingElseWithTheConversionMessage) {
    for (const char* bad : {"", " ", "-", "+", "$", "-$", "abc", "12a", "1 2", "12 ", " 1.5", "0x10", "--1",
                            "2147483648", "-2147483649", "99999999999999999999", "$100000000", "-$80000001",
                            "+$80000000", "\t1", "1\n"}) {
        int32_t v = 99;
        EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
        EXPECT_EQ(v, 99);
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
    }
    // The message is cp932 and holds the text as it was, blanks included.
    EXPECT_EQ(ConvertMessage("12a"), "'12a' は整数ではありません");
    EXPECT_EQ(ConvertMessage(""), "'' は整数ではありません");
    EXPECT_EQ(ConvertMessage(" %s%d "), "' %s%d ' は整数ではありません");
    EXPECT_EQ(ConvertMessage("サイズ"), "'サイズ' は整数ではありません");
}

TEST(IntToStr, WritesDecimal) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-2147483648LL), "-2147483648");
    EXPECT_EQ(IntToStr(1234567890123LL), "1234567890123");
}

TEST(StrToFloat, ReadsPlainAndScientificNumbersOnly) {
    double v = 0;
    EXPECT_TRUE(TryStrToFloat(" 12.5 ", v));
    EXPECT_EQ(v, 12.5);
    EXPECT_TRUE(TryStrToFloat("-.5e2", v));
    EXPECT_EQ(v, -50);
    EXPECT_TRUE(TryStrToFloat("1234", v));
    EXPECT_EQ(v, 1234);
    for (const char* bad : {"", ".", "1e", "0x10", "inf", "nan", "1,5", "1e999", "12abc", "- 1"})
        EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
    EXPECT_THROW(StrToFloat("abc"), EConvertError);
}

TEST(FormatFloat, DigitPlaceholdersAndSeparators) {
    EXPECT_EQ(FormatFloat("0", 1234.5), "1235");
    EXPECT_EQ(FormatFloat("0.00", 3.14159), "3.14");
    EXPECT_EQ(FormatFloat("0.00", 2.675), "2.68");  // half away from zero on the decimal digits
    EXPECT_EQ(FormatFloat("0.00", 0.125), "0.13");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(FormatFloat("#.##", 5), "5");
    EXPECT_EQ(FormatFloat("#.##", 0), "");
    EXPECT_EQ(FormatFloat("0.0#", 1.5), "1.5");
    EXPECT_EQ(FormatFloat("0.0#", 1.257), "1.26");
    EXPECT_EQ(FormatFloat("000", 7), "007");
    EXPECT_EQ(FormatFloat("#,##0", 1234567), "1,234,567");
    EXPECT_EQ(FormatFloat("#,##0", 999), "999");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1,234.50");
    EXPECT_EQ(FormatFloat("#,##0", 999.7), "1,000");
    EXPECT_EQ(FormatFloat("0.00", -1.005), "-1.01");
    EXPECT_EQ(FormatFloat("0", 99999999999999.9), "100000000000000");
    // Digits beyond the placeholders go to the first one.
    EXPECT_EQ(FormatFloat("#-#", 12345), "1234-5");
    EXPECT_EQ(FormatFloat("0", -0.4), "0");  // rounds to zero: no sign
}

TEST(FormatFloat, SectionsLiteralsAndExponents) {
    const char* fmt = "#,##0.00;(#,##0.00);'zero'";
    EXPECT_EQ(FormatFloat(fmt, 1234.5), "1,234.50");
    EXPECT_EQ(FormatFloat(fmt, -1234.5), "(1,234.50)");
    EXPECT_EQ(FormatFloat(fmt, 0), "zero");
    EXPECT_EQ(FormatFloat(fmt, -0.001), "zero");
    EXPECT_EQ(FormatFloat("0;;", -3), "-3");  // an empty section falls back to the first
    EXPECT_EQ(FormatFloat("0.0;-0.0", -0.01), "0.0");
    EXPECT_EQ(FormatFloat("0 \"bytes\"", 12), "12 bytes");
    EXPECT_EQ(FormatFloat("'#'0", 3), "#3");
    EXPECT_EQ(FormatFloat("0 KB", 3), "3 KB");
    EXPECT_EQ(FormatFloat("0.00E+00", 12345), "1.23E+04");
    EXPECT_EQ(FormatFloat("0.00E+00", 0.00012345), "1.23E-04");
    EXPECT_EQ(FormatFloat("0.0e-0", 12345), "1.2e4");
    EXPECT_EQ(FormatFloat("0.0E+0", 9.99), "1.0E+1");
    EXPECT_EQ(FormatFloat("0.00E+00", -5), "-5.00E+00");
    EXPECT_EQ(FormatFloat("0.00E+00", 0), "0.00E+00");
    EXPECT_EQ(FormatFloat("00.0E+0", 12345), "12.3E+3");
}

TEST(FormatFloat, FallbacksAndFailures) {
    EXPECT_EQ(FormatFloat("", 1.5), "1.5");
    EXPECT_EQ(FormatFloat("0", 1e20), "1E+20");
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(-123.25), "-123.25");
    EXPECT_EQ(FloatToStr(1e-5), "1E-5");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
    EXPECT_THROW(FormatFloat("0", std::numeric_limits<double>::infinity()), EConvertError);
    EXPECT_THROW(FormatFloat("0", std::nan("")), EConvertError);
}
