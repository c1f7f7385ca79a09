#include <gtest/gtest.h>

#include <cmath>

#include "scrape/gbk.h"
#include "scrape/text.h"

namespace tavro::scrape {
namespace {

// Two-byte characters whose second byte is an ASCII letter or marker byte.
const Text kZhi = "\x81\x40";  // second byte '@'
const Text kWithA =
    "\x81"
    "a";  // second byte 'a'
const Text kWithB =
    "\x81"
    "b";

struct FindCase {
    const char* what;
    Text text;
    Text sought;
    int start;
    Case letterCase;
    int expected;
};

TEST(FindText, Table) {
    const FindCase cases[] = {
        {"past the sought text", "abc", "b", 5, Case::Sensitive, -1},
        {"empty sought text with bytes left", "abc", "", 3, Case::Sensitive, 1},
        {"empty sought text in the empty text", "", "", 1, Case::Sensitive, -1},
        {"start at or below one searches from one", "abc", "a", -4, Case::Sensitive, 1},
        {"start beyond the end", "abc", "", 4, Case::Sensitive, -1},
        {"ignoring case", "xx accept", "ACCEPT", 1, Case::Ignore, 4},
        {"case matters by default", "xx accept", "ACCEPT", 1, Case::Sensitive, -1},
        {"a pair straddling two characters", "\xB0\xA1\xB0\xA2", "\xA1\xB0", 1, Case::Sensitive, -1},
        {"a marker byte as second byte is skipped", kZhi + "@", "@", 1, Case::Sensitive, 3},
        {"a letter as second byte is not found", kWithA + "x", "a", 1, Case::Sensitive, -1},
        {"nor when ignoring case", kWithA + "A", "a", 1, Case::Ignore, 3},
        {"quote after a pair", "\xB3\xC9\"", "\"", 1, Case::Sensitive, 3},
        {"counting from the start position",
         "\x81"
         "ab",
         "a", 2, Case::Sensitive, 2},
        {"long run of pairs before a hit", Text(1000, '\xB0') + "x", "x", 1, Case::Sensitive, 1001},
        {"odd run hides a second byte", Text(999, '\xB0') + "xx", "x", 1, Case::Sensitive, 1001},
        {"position counted from the text's beginning", "aXbX", "X", 3, Case::Sensitive, 4},
        {"does not fit before the end", "ab", "abc", 1, Case::Sensitive, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindText(c.text, c.sought, c.start, c.letterCase), c.expected) << c.what;
    }
}

struct SplitCase {
    Text text;
    Text delimiter;
    Pieces pieces;
};

TEST(SplitText, Table) {
    const SplitCase cases[] = {
        {",a,,b,", ",", {"", "a", "", "b"}},  // leading, doubled and trailing delimiter
        {"abc", "x", {"abc"}},
        {"", ",", {}},
        {"abc", "", {"abc"}},
        {"a,b", ",", {"a", "b"}},
        {"a</li>b</li>", "</li>", {"a", "b"}},  // ends exactly with the delimiter: no empty piece
        {kZhi + "@x", "@", {kZhi, "x"}},        // the '@' inside the pair is not a delimiter
        {"ab", "abc", {"ab"}},                  // shorter than the delimiter
        {"xx", "x", {"", ""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitText(c.text, c.delimiter), c.pieces)
            << "splitting [" << c.text << "] at [" << c.delimiter << "]";
    }
}

TEST(Cutting, LeftRightMid) {
    EXPECT_EQ(TextMid("abc", 0, 2), "");
    EXPECT_EQ(TextMid("abc", 4, 1), "");
    EXPECT_EQ(TextMid("abc", 2, 10), "bc");
    EXPECT_EQ(TextMid("abc", 2, 0), "");
    EXPECT_EQ(TextLeft("abc", 2), "ab");
    EXPECT_EQ(TextLeft("abc", 9), "abc");
    EXPECT_EQ(TextLeft("abc", -1), "");
    EXPECT_EQ(TextRight("abc", 2), "bc");
    EXPECT_EQ(TextRight("abc", 9), "abc");
    EXPECT_EQ(TextRight("abc", 0), "");
    // Cutting is not character-aware: it may split a pair.
    EXPECT_EQ(TextLeft(kZhi, 1), "\x81");
}

TEST(CaseChanges, StepOverPairs) {
    EXPECT_EQ(ToUpper("abc" + kWithA + "z"), "ABC" + kWithA + "Z");
    EXPECT_EQ(ToLower("HTTP://Host" + Text("\x81"
                                           "A")),
              "http://host" + Text("\x81"
                                   "A"));
    EXPECT_EQ(CompareText("aBc", "AbC", Case::Ignore), 0);
    EXPECT_NE(CompareText("aBc", "AbC", Case::Sensitive), 0);
    EXPECT_NE(CompareText(kWithA,
                          "\x81"
                          "A",
                          Case::Ignore),
              0);  // second bytes never fold
    EXPECT_LT(CompareText("ab", "abc", Case::Sensitive), 0);
    EXPECT_GT(CompareText("b", "a", Case::Sensitive), 0);
    EXPECT_LT(CompareText(kWithA, kWithB, Case::Sensitive), 0);
    EXPECT_TRUE(StartsWithIgnoringCase("Dragon Hunt", "dRAG"));
    EXPECT_FALSE(StartsWithIgnoringCase("Dr", "dRAG"));
}

struct NumberCase {
    const char* what;
    Text text;
    double value;
};

TEST(ToNumber, Table) {
    const NumberCase cases[] = {
        {"a unit after the digits", "12.50" + Gbk("元"), 12.5},
        {"a thousands separator cuts short", "1,200", 1},
        {"leading white space and a sign", " -3", -3},
        {"tab and plus", "\t+4", 4},
        {"letters", "abc", 0},
        {"the empty text", "", 0},
        {"full-width digits and point", Gbk("１２．５"), 12.5},
        {"full-width space before", Gbk("　７"), 7},
        {"an exponent", "1.5e3x", 1500},
        {"an e without digits is not an exponent", "2e", 2},
        {"point first", ".5", 0.5},
        {"point last", "5.", 5},
        {"a lone point", ".", 0},
        {"a sign alone", "-", 0},
        {"hex is not read", "0x10", 0},
        {"inf is not read", "inf", 0},
        {"a lead byte at the end", "7\xB0", 7},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ToNumber(c.text), c.value) << c.what;
    EXPECT_TRUE(std::isinf(ToNumber("1e999")));
}

TEST(NumberToText, ThirteenSignificantDigits) {
    EXPECT_EQ(NumberToText(12.5 + 0.3), "12.8");
    EXPECT_EQ(NumberToText(0.1 + 0.2), "0.3");
    EXPECT_EQ(NumberToText(1234.5), "1234.5");
    EXPECT_EQ(NumberToText(100.0), "100");
    EXPECT_EQ(NumberToText(0.0), "0");
    EXPECT_EQ(NumberToText(1e13), "1e+013");
    EXPECT_EQ(NumberToText(1.5e-5), "1.5e-005");
    EXPECT_EQ(NumberToText(1234567890123.0), "1234567890123");
    EXPECT_EQ(NumberToText(-42), "-42");
    EXPECT_EQ(NumberToText(20), "20");
}

TEST(Conversions, BytesRealsAndIntegers) {
    EXPECT_EQ(BytesToText(std::string_view("\x41\x00\x42", 3)), "A");
    EXPECT_EQ(BytesToText(""), "");
    EXPECT_EQ(BytesToText("AB"), "AB");
    EXPECT_EQ(RealToInt(80.9), 80);
    EXPECT_EQ(RealToInt(-2.7), -2);
    EXPECT_EQ(RealToInt(1e300), INT32_MAX);
    EXPECT_TRUE(RealEqual(1.0, 1.0 + 1e-8));
    EXPECT_FALSE(RealEqual(1.0, 1.0 + 1e-6));
    EXPECT_TRUE(RealEqual(-1.0, -1.0));
}

}  // namespace
}  // namespace tavro::scrape
