#pragma once

#include <string_view>

#include "controls/controls.h"
#include "net/fetch_page.h"

namespace tavro::controls {

inline constexpr int kStatusPart = 0;

// When the page did not arrive whole, says so in the status bar ("<what>失败：<reason>") and
// returns true; a page that arrived leaves the status bar alone.
bool ReportFetchFailure(Controls& controls, std::string_view what, const net::FetchResult& result);

// The phrase for a page that arrived but does not hold what the markers expect.
const Text& LayoutNotRecognised();

}  // namespace tavro::controls
