#include <gtest/gtest.h>

#include "scrape/gbk.h"

namespace tavro::scrape {
namespace {

TEST(Gbk, RoundTripsChinese) {
    const Text bytes = EncodeGbk("成交时间");
    EXPECT_EQ(bytes, "\xB3\xC9\xBD\xBB\xCA\xB1\xBC\xE4");
    EXPECT_EQ(DecodeGbk(bytes), "成交时间");
    EXPECT_EQ(DecodeGbk("plain"), "plain");
}

TEST(Gbk, InvalidAndTruncatedBecomeReplacements) {
    EXPECT_EQ(DecodeGbk("a\xFF"
                        "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(DecodeGbk("a\xB3"), "a\xEF\xBF\xBD");  // a lead byte at the end
    EXPECT_EQ(DecodeGbk("\xB3\xC9\x81"), "成\xEF\xBF\xBD");
}

TEST(Gbk, UnencodableBecomesQuestionMark) {
    EXPECT_EQ(EncodeGbk("a😀b"), "a?b");
    EXPECT_EQ(EncodeGbk("ｘ"), "\xA3\xF8");
}

}  // namespace
}  // namespace tavro::scrape
