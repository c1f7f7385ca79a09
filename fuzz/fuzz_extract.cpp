#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>

#include "scrape/piece_walk.h"

using namespace tavro::scrape;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const Text start = in.ConsumeRandomLengthString(12);
    const Text end = in.ConsumeRandomLengthString(12);
    const Text delimiter = in.ConsumeRandomLengthString(8);
    const bool everyPiece = in.ConsumeBool();
    const Text page = in.ConsumeRemainingBytesAsString();

    const Text value = ExtractBetween(page, start, end);
    if (!value.empty() && page.find(value) == Text::npos) std::abort();

    ScrapeWorkspace ws;
    const PieceWalk walk{&ScrapeWorkspace::section,
                         {start, end},
                         delimiter,
                         everyPiece ? WalkBound::EveryPiece : WalkBound::AllButTheLast};
    int visits = 0;
    const int visited = WalkPieces(ws, page, walk,
                                   {{},
                                    [&](std::string_view piece) {
                                        ++visits;
                                        if (piece.size() > ws.section.size()) std::abort();
                                        (void)ExtractBetween(piece, end, start);
                                    },
                                    {}});
    const int n = static_cast<int>(ws.pieces.size());
    const int bound = everyPiece ? n : n - 1;
    if (visits != visited || visits != std::max(bound, 0) || ws.pieceIndex != std::max(bound + 1, 1))
        std::abort();
    return 0;
}
