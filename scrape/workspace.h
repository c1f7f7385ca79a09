#pragma once

#include "scrape/text.h"

namespace tavro::scrape {

// The page, the blocks cut from it and the pieces of the latest split. Every run of an
// action owns one, so no run ever reads another's page or pieces.
struct ScrapeWorkspace {
    Text page;
    Text section;
    Text section2;
    Text section3;
    Text section4;
    Text section5;
    Pieces pieces;
    int pieceIndex = 0;
};

}  // namespace tavro::scrape
