#pragma once

#include "scrape/text.h"

namespace tavro::net {

// The trading site's two hosts. The program always talks to kTavroSite; tests and the demo
// point the actions at a loopback server instead ("127.0.0.1:<port>").
struct SiteHosts {
    scrape::Text listing;  // deal lists and search pages
    scrape::Text home;     // the front page with the hot games
};

inline const SiteHosts kTavroSite{"list.tavro.cn", "www.tavro.cn"};

}  // namespace tavro::net
