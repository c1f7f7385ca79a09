#pragma once

// The option elements of the site's selectors, which every catalogue list is cut from:
// <option value="KEY">NAME</option>, split at "option>".

#include <string_view>

#include "controls/action_context.h"
#include "scrape/piece_walk.h"

namespace tavro::catalogue {

inline constexpr std::string_view kOptionDelimiter = "option>";
inline constexpr scrape::Markers kOptionName{">", "</"};
inline constexpr scrape::Markers kServerName{"\">", "</"};  // after the quote that closes the key
inline constexpr scrape::Markers kOptionKey{"<option value=\"", "\">"};

struct OptionWalk {
    scrape::Text scrape::ScrapeWorkspace::*section;
    scrape::Markers block;
    scrape::Markers name;
    controls::ListBox names;
    controls::ListBox keys;
};

// Cuts the options out of `source` and adds one name and one key per option (every piece but
// the remainder after the last one); `clear` runs after the split, before the first option.
void WalkOptions(controls::ActionContext& context, std::string_view source, const OptionWalk& walk,
                 const std::function<void()>& clear);

// "http://" + the listing host + the deal list path + `query`.
scrape::Text DealListUrl(const controls::ActionContext& context, std::string_view query);

}  // namespace tavro::catalogue
