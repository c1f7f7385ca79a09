#pragma once

// The site's deal list, which the deal query and the ranking both cut: its rows stand between
// the header row's end and the pager, separated by the start of the next row.

#include <string_view>

#include "controls/controls.h"
#include "scrape/piece_walk.h"

namespace tavro::deals {

const scrape::Markers& DealSection();
// 27 bytes: one space first, nothing after "listmain".
inline constexpr std::string_view kDealDelimiter = " </div><div class=\"listmain";
const scrape::Markers& AmountMarkers();
// Amounts go in at position 1, not appended; the total does not depend on the order.
inline constexpr int kAmountPosition = 1;

// Cuts every row's amount into `scratch` (emptied first), at position 1.
void WalkAmounts(scrape::ScrapeWorkspace& workspace, scrape::Text scrape::ScrapeWorkspace::*section,
                 controls::Controls& controls, controls::ListView scratch);

// Adds up column 0 of every row as the site's tool always has: the running total is a text,
// read with ToNumber and written back with "%.13g" after each addition. No rows: empty text.
scrape::Text AddUpAmounts(controls::Controls& controls, controls::ListView scratch);

}  // namespace tavro::deals
