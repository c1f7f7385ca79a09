#pragma once

#include "scrape/text.h"

namespace tavro::scrape {

// The page, the blocks cut from it and the pieces of the latest split. Every run of an
// action owns one, so no run ever reads another's page or pieces.
//
// `pieces` views into the section field it was split from, which a walk never changes while
// it runs; so a workspace is neither copied nor moved.
struct ScrapeWorkspace {
    ScrapeWorkspace() = default;
    ScrapeWorkspace(const ScrapeWorkspace&) = delete;
    ScrapeWorkspace& operator=(const ScrapeWorkspace&) = delete;

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
