#pragma once

#include <string_view>

#include "scrape/text.h"

namespace tavro::net {

// The trading site's two hosts. The program always talks to kTavroSite; tests and the demo
// point the actions at a loopback server instead ("127.0.0.1:<port>").
struct SiteHosts {
    scrape::Text listing;  // deal lists and search pages
    scrape::Text home;     // the front page with the hot games
};

inline const SiteHosts kTavroSite{"list.tavro.cn", "www.tavro.cn"};

// The listing host's latest-deals page, which every catalogue list, the deal query and the
// ranking read with their own query.
inline constexpr std::string_view kDealListPath = "/list/viewlastestdeallist.aspx";

}  // namespace tavro::net
