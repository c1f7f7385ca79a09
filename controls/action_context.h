#pragma once

#include <functional>

#include "controls/controls.h"
#include "net/fetch_page.h"
#include "net/site.h"
#include "scrape/workspace.h"

namespace tavro::controls {

// What one run of an action works with: the controls, a workspace of its own, the site,
// the page fetch and the browser.
struct ActionContext {
    Controls& controls;
    scrape::ScrapeWorkspace& workspace;
    const net::SiteHosts& site;
    std::function<net::FetchResult(const Text& url)> fetch;
    std::function<void(const Text& url)> openInBrowser;
};

// Thrown out of a control operation when the run is no longer wanted (a newer run of the
// same action started, or the window is closing); the run then ends quietly.
struct Superseded {};

}  // namespace tavro::controls
