#pragma once

#include <functional>
#include <string_view>

#include "scrape/extract.h"
#include "scrape/workspace.h"

namespace tavro::scrape {

enum class WalkBound {
    EveryPiece,     // deal rows: pieces 1 to N
    AllButTheLast,  // options and links: the last piece is the remainder after the final delimiter
};

struct PieceWalk {
    Text ScrapeWorkspace::*section;  // the field that keeps the cut block
    Markers block;
    std::string_view delimiter;
    WalkBound bound;
};

struct WalkSteps {
    std::function<void()> clearTargets;                 // after the split, before the first piece
    std::function<void(std::string_view piece)> visit;  // adds one item per target, even when empty
    std::function<void()> afterPiece;                   // ProcessPendingEvents
};

// Cuts the block out of `source` into its section field, splits it into `pieces`, clears the
// targets and visits pieces 1 to B, B computed once. Leaves `pieceIndex` at max(B + 1, 1).
// Returns the number of pieces visited.
int WalkPieces(ScrapeWorkspace& workspace, std::string_view source, const PieceWalk& walk,
               const WalkSteps& steps);

}  // namespace tavro::scrape
