#include "catalogue/catalogue.h"
#include "catalogue/options.h"
#include "controls/report.h"
#include "scrape/gbk.h"

namespace tavro::catalogue {
namespace {

using controls::ListBox;
using scrape::ScrapeWorkspace;

// The deal list of one fixed game: only its game selector is used.
constexpr std::string_view kGameListQuery =
    "?offerid=&ts=-1&bt=-1&gm=20c8bbc1b9794fc98bd96859624d4769&ga=&gs=";
const scrape::Text kGamesStart = scrape::Gbk("请选择</option>");
const scrape::Text kGamesEnd = scrape::Gbk("<option selected=\"selected\" value=\"-1\">请选择</option>");
const scrape::Text kWhat = scrape::Gbk("游戏列表加载");

}  // namespace

void LoadGameList(controls::ActionContext& context) {
    auto& ws = context.workspace;
    auto& c = context.controls;
    const net::FetchResult fetched = context.fetch(DealListUrl(context, kGameListQuery));
    ws.page = fetched.body;
    WalkOptions(
        context, ws.page,
        {&ScrapeWorkspace::section, {kGamesStart, kGamesEnd}, kOptionName, ListBox::游戏名, ListBox::游戏名1},
        [&] {
            c.ListBoxClear(ListBox::游戏名);
            c.ListBoxClear(ListBox::游戏名1);
        });
    controls::ReportFetchFailure(c, kWhat, fetched);
}

}  // namespace tavro::catalogue
