#include "catalogue/catalogue.h"
#include "catalogue/options.h"
#include "controls/report.h"
#include "net/url.h"
#include "scrape/gbk.h"

namespace tavro::catalogue {
namespace {

using controls::ListBox;
using net::EscapeForRequestLine;
using scrape::ScrapeWorkspace;

constexpr scrape::Markers kServerSelector{"id=\"grlwbt_ddlGameServers\">", "<input name=\"grlwbt$txtGameId"};
const scrape::Text kServersStart = scrape::Gbk("请选择</option>");
constexpr std::string_view kServersEnd = "</select>";
const scrape::Text kWhat = scrape::Gbk("服务器加载");

}  // namespace

void LoadServers(controls::ActionContext& context) {
    auto& ws = context.workspace;
    auto& c = context.controls;
    // The old area's servers vanish at once, before the new page arrives.
    c.ListBoxClear(ListBox::服);
    c.ListBoxClear(ListBox::服1);
    controls::FollowCurrent(c, ListBox::游戏名1, ListBox::游戏名);
    const scrape::Text category = controls::CurrentText(c, ListBox::类别1);
    const scrape::Text game = controls::CurrentText(c, ListBox::游戏名1);
    const scrape::Text area = controls::CurrentText(c, ListBox::区1);
    const net::FetchResult fetched = context.fetch(DealListUrl(
        context, scrape::ConcatText("?offerid=&ts=-1&bt=", EscapeForRequestLine(category),
                                    "&gm=", EscapeForRequestLine(game), "&ga=", EscapeForRequestLine(area),
                                    "&gs=-1&raceid=-1&sort=-1&section=-1_-1&pg=1&ps=10000")));
    ws.page = fetched.body;
    ws.section = scrape::ExtractBetween(ws.page, kServerSelector);
    WalkOptions(
        context, ws.section,
        {&ScrapeWorkspace::section2, {kServersStart, kServersEnd}, kServerName, ListBox::服, ListBox::服1},
        {});
    controls::ReportFetchFailure(c, kWhat, fetched);
}

}  // namespace tavro::catalogue
