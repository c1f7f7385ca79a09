#include "scrape/extract.h"

namespace tavro::scrape {

Text ExtractBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker) {
    const int c = FindText(text, startMarker, 1);
    if (c == kNotFound) return {};
    const int valueStart = c + TextLength(startMarker);
    const int d = FindText(text, endMarker, valueStart);
    // An empty end marker "finds" position 1, which lies before the value: nothing to cut.
    if (d == kNotFound || d <= valueStart) return {};
    return Text(text.substr(static_cast<size_t>(valueStart) - 1, static_cast<size_t>(d - valueStart)));
}

}  // namespace tavro::scrape
