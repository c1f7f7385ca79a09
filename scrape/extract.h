#pragma once

#include <string_view>

#include "scrape/text.h"

namespace tavro::scrape {

// A value known only by the text before it and the text after it.
struct Markers {
    std::string_view start;
    std::string_view end;
};

// The bytes strictly between the first `start` and the first `end` after it; the empty text
// when either is missing. Letter case matters; the markers never overlap.
Text ExtractBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker);
inline Text ExtractBetween(std::string_view text, const Markers& markers) {
    return ExtractBetween(text, markers.start, markers.end);
}

}  // namespace tavro::scrape
