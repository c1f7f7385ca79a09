#pragma once

#include <functional>

#include "controls/action_context.h"

namespace tavro::deals {

// 成交量: the latest deals of the selection, their count and their turnover.
void QueryLatestDeals(controls::ActionContext& context);
// 未成交: the site's search page of the items still on sale, in the browser.
void OpenUnsoldSearch(controls::ActionContext& context);
// "查看该定单", on the window's thread: the selected deal's page, when its link is safe to open.
void OpenSelectedDeal(controls::Controls& controls, const net::SiteHosts& site,
                      const std::function<void(const scrape::Text&)>& openInBrowser);

}  // namespace tavro::deals
