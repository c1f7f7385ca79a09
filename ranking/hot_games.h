#pragma once

#include "scrape/extract.h"

namespace tavro::ranking {

// The home page's hot-games block.
const scrape::Markers& HotGamesSection();

}  // namespace tavro::ranking
