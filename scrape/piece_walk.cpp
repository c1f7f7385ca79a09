#include "scrape/piece_walk.h"

#include <algorithm>

namespace tavro::scrape {

int WalkPieces(ScrapeWorkspace& workspace, std::string_view source, const PieceWalk& walk,
               const WalkSteps& steps) {
    // Cut into a local first: `source` may be the very field being replaced.
    Text block = ExtractBetween(source, walk.block);
    Text& section = workspace.*walk.section;
    section = std::move(block);
    workspace.pieces = SplitText(section, walk.delimiter);
    if (steps.clearTargets) steps.clearTargets();

    const int count = static_cast<int>(workspace.pieces.size());
    const int bound = walk.bound == WalkBound::EveryPiece ? count : count - 1;
    int visited = 0;
    for (workspace.pieceIndex = 1; workspace.pieceIndex <= bound; ++workspace.pieceIndex) {
        const size_t index = static_cast<size_t>(workspace.pieceIndex) - 1;
        // Never read outside the current array, whatever a step did to it.
        const std::string_view piece =
            index < workspace.pieces.size() ? std::string_view(workspace.pieces[index]) : std::string_view();
        steps.visit(piece);
        ++visited;
        if (steps.afterPiece) steps.afterPiece();
    }
    workspace.pieceIndex = std::max(bound + 1, 1);
    return visited;
}

}  // namespace tavro::scrape
