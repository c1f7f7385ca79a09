// A page in, the lists out: every action cuts whatever page the site sends without reading
// outside it, and keeps the lists of a pair the same length.

#include <cstdlib>

#include "catalogue/catalogue.h"
#include "controls/memory_controls.h"
#include "deals/deals.h"
#include "ranking/ranking.h"

using namespace tavro;
using controls::ListBox;
using controls::ListView;

namespace {

void Same(controls::MemoryControls& c, ListBox a, ListBox b) {
    if (c.ListBoxCount(a) != c.ListBoxCount(b)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const scrape::Text page(reinterpret_cast<const char*>(data), size);
    controls::MemoryControls c;
    const net::SiteHosts site{"list.tavro.cn", "www.tavro.cn"};
    for (auto action : {catalogue::LoadGameList, catalogue::LoadAreasAndCategories, catalogue::LoadServers,
                        deals::QueryLatestDeals, ranking::LoadHotGames, ranking::RankHotGames}) {
        if (action == ranking::RankHotGames) ranking::PrepareRanking(c);  // as the click does
        scrape::ScrapeWorkspace ws;
        controls::ActionContext context{
            c, ws, site, [&](const scrape::Text&) { return net::FetchResult{page}; }, {}};
        action(context);
        if (ws.pieceIndex < 1) std::abort();
    }
    Same(c, ListBox::游戏名, ListBox::游戏名1);
    Same(c, ListBox::区, ListBox::区1);
    Same(c, ListBox::类别, ListBox::类别1);
    Same(c, ListBox::服, ListBox::服1);
    Same(c, ListBox::定单, ListBox::定单1);
    Same(c, ListBox::定单, ListBox::单价);
    if (c.ListBoxCount(ListBox::定单) != c.ListViewCount(ListView::总合)) std::abort();
    if (c.ListBoxCount(ListBox::全局统计) != c.ListViewCount(ListView::全局统计交易额)) std::abort();
    return 0;
}
