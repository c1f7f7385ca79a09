#include "controls/report.h"
#include "ranking/hot_games.h"
#include "ranking/ranking.h"
#include "scrape/gbk.h"
#include "scrape/piece_walk.h"

namespace tavro::ranking {
namespace {

using controls::ListBox;
using controls::ListView;
using scrape::ScrapeWorkspace;
using scrape::Text;

constexpr std::string_view kNameDelimiter = "</li>";
constexpr std::string_view kKeyDelimiter = "</a></li>";
constexpr scrape::Markers kName{");\">", "</a>"};
constexpr std::string_view kKeyAfterHost = "/search/";
constexpr std::string_view kKeyEnd = ".shtml\"";
const Text kWhat = scrape::Gbk("热门游戏加载");

}  // namespace

const scrape::Markers& HotGamesSection() {
    static const Text start = scrape::Gbk("<span>热门游戏</span></div>");
    static const scrape::Markers markers{start, "<div class=\"hotothergamelist\">"};
    return markers;
}

void LoadHotGames(controls::ActionContext& context) {
    auto& c = context.controls;
    auto& ws = context.workspace;
    const net::FetchResult fetched = context.fetch(scrape::ConcatText("http://", context.site.home));
    ws.page = fetched.body;

    const scrape::PieceWalk names{&ScrapeWorkspace::section, HotGamesSection(), kNameDelimiter,
                                  scrape::WalkBound::AllButTheLast};
    scrape::WalkPieces(ws, ws.page, names,
                       {[&] {
                            c.ListViewClear(ListView::全局统计交易额);
                            c.ListBoxClear(ListBox::热门游戏列表);
                        },
                        [&](std::string_view piece) {
                            const Text name = scrape::ExtractBetween(piece, kName);
                            c.ListBoxAdd(ListBox::热门游戏列表, name);
                            c.ListViewInsert(ListView::全局统计交易额, controls::kAppend, name);
                        },
                        [&] { c.ProcessPendingEvents(); }});

    // The key's marker begins with the listing host's name; the scheme before it is not part of it.
    const Text keyStart = scrape::ConcatText(context.site.listing, kKeyAfterHost);
    const scrape::PieceWalk keys{&ScrapeWorkspace::section4, HotGamesSection(), kKeyDelimiter,
                                 scrape::WalkBound::AllButTheLast};
    scrape::WalkPieces(ws, ws.page, keys,
                       {[&] { c.ListBoxClear(ListBox::热门游戏列表1); },
                        [&](std::string_view piece) {
                            c.ListBoxAdd(ListBox::热门游戏列表1,
                                         scrape::ExtractBetween(piece, keyStart, kKeyEnd));
                        },
                        [&] { c.ProcessPendingEvents(); }});

    c.SetEditText(controls::EditBox::统计游戏, scrape::NumberToText(c.ListBoxCount(ListBox::热门游戏列表)));
    c.ListBoxSetCurrent(ListBox::热门游戏列表, 0);
    c.ListBoxSetCurrent(ListBox::热门游戏列表1, 0);
    controls::ReportFetchFailure(c, kWhat, fetched);
}

}  // namespace tavro::ranking
