#include <gtest/gtest.h>

#include "scrape/extract.h"
#include "scrape/piece_walk.h"

namespace tavro::scrape {
namespace {

struct ExtractCase {
    const char* what;
    Text text;
    Text start;
    Text end;
    Text expected;
};

TEST(ExtractBetween, Table) {
    const ExtractCase cases[] = {
        {"both markers", "x<a>v</a>y", "<a>", "</a>", "v"},
        {"start marker absent", "x v</a>", "<a>", "</a>", ""},
        {"end marker absent after the start", "</a>x<a>v", "<a>", "</a>", ""},
        {"end marker right after the start", "<a></a>", "<a>", "</a>", ""},
        {"empty start marker", "value</a>rest", "", "</a>", "value"},
        {"empty start marker, no end marker", "value", "", "</a>", ""},
        {"empty end marker", "<a>v", "<a>", "", ""},
        {"empty text", "", "<a>", "</a>", ""},
        {"an earlier end marker does not disturb", "</a><a>v</a>", "<a>", "</a>", "v"},
        {"markers never overlap", "abab", "aba", "ab", ""},
        {"first start, first end after it", "<a>1</a><a>2</a>", "<a>", "</a>", "1"},
        {"an end marker inside a pair is not one", "<a>\x81\"v\"", "<a>", "\"", "\x81\"v"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractBetween(c.text, c.start, c.end), c.expected) << c.what;
}

struct Walked {
    std::vector<Text> items;
    int clears = 0;
    int pumps = 0;
};

Walked Walk(ScrapeWorkspace& ws, std::string_view page, WalkBound bound) {
    Walked walked;
    const PieceWalk walk{&ScrapeWorkspace::section, {"<s>", "</s>"}, ",", bound};
    WalkPieces(ws, page, walk,
               {[&] { ++walked.clears; },
                [&](std::string_view piece) { walked.items.push_back(ExtractBetween(piece, "[", "]")); },
                [&] { ++walked.pumps; }});
    return walked;
}

TEST(PieceWalk, BoundsAndIndex) {
    struct Case {
        const char* what;
        Text page;
        WalkBound bound;
        std::vector<Text> items;
        int pieceIndexAfter;
    };
    const Case cases[] = {
        {"three pieces, every piece", "<s>[a],[b],[c]</s>", WalkBound::EveryPiece, {"a", "b", "c"}, 4},
        {"three pieces, all but the last", "<s>[a],[b],[c]</s>", WalkBound::AllButTheLast, {"a", "b"}, 3},
        {"no block", "[a],[b]", WalkBound::AllButTheLast, {}, 1},
        {"no block, every piece", "[a],[b]", WalkBound::EveryPiece, {}, 1},
        {"no delimiter, all but the last", "<s>[a]</s>", WalkBound::AllButTheLast, {}, 1},
        {"no delimiter, every piece", "<s>[a]</s>", WalkBound::EveryPiece, {"a"}, 2},
        {"ends with the delimiter loses the last entry",
         "<s>[a],[b],</s>",
         WalkBound::AllButTheLast,
         {"a"},
         2},
        {"a piece without markers adds an empty item",
         "<s>[a],x,[c],rest</s>",
         WalkBound::AllButTheLast,
         {"a", "", "c"},
         4},
    };
    for (const auto& c : cases) {
        ScrapeWorkspace ws;
        const Walked walked = Walk(ws, c.page, c.bound);
        EXPECT_EQ(walked.items, c.items) << c.what;
        EXPECT_EQ(walked.clears, 1) << c.what << ": targets are cleared even when nothing is walked";
        EXPECT_EQ(walked.pumps, static_cast<int>(c.items.size())) << c.what;
        EXPECT_EQ(ws.pieceIndex, c.pieceIndexAfter) << c.what;
    }
}

TEST(PieceWalk, KeepsBlockAndPiecesInTheWorkspace) {
    ScrapeWorkspace ws;
    ws.pieces = {"old"};
    Walk(ws, "<s>[a],[b]</s>", WalkBound::EveryPiece);
    EXPECT_EQ(ws.section, "[a],[b]");
    EXPECT_EQ(ws.pieces, (Pieces{"[a]", "[b]"}));
}

TEST(PieceWalk, CutsFromTheFieldItReplaces) {
    ScrapeWorkspace ws;
    ws.section = "<s>[a],[b]</s>";
    const PieceWalk walk{&ScrapeWorkspace::section, {"<s>", "</s>"}, ",", WalkBound::EveryPiece};
    std::vector<Text> items;
    WalkPieces(ws, ws.section, walk, {{}, [&](std::string_view p) { items.emplace_back(p); }, {}});
    EXPECT_EQ(items, (std::vector<Text>{"[a]", "[b]"}));
}

TEST(PieceWalk, NeverReadsOutsideThePieces) {
    // A step that empties the array under the walk gets empty pieces, not a stray read.
    ScrapeWorkspace ws;
    const PieceWalk walk{&ScrapeWorkspace::section, {"<s>", "</s>"}, ",", WalkBound::EveryPiece};
    std::vector<Text> items;
    WalkPieces(ws, "<s>a,b,c</s>", walk,
               {{}, [&](std::string_view p) { items.emplace_back(p); }, [&] { ws.pieces.clear(); }});
    EXPECT_EQ(items, (std::vector<Text>{"a", "", ""}));
}

}  // namespace
}  // namespace tavro::scrape
