#include "catalogue/catalogue.h"
#include "catalogue/options.h"
#include "controls/report.h"
#include "net/url.h"
#include "scrape/gbk.h"

namespace tavro::catalogue {
namespace {

using controls::ListBox;
using scrape::ScrapeWorkspace;

const scrape::Text kAreasStart = scrape::Gbk("selected\" value=\"-1\">请选择</option>");
constexpr std::string_view kAreasEnd = " <select name=\"grlwbt$ddlGameServers\" id=\"grlwbt_ddlGameServers";
const scrape::Text kCategoriesStart = scrape::Gbk("不限</option>");
constexpr std::string_view kCategoriesEnd = " <span id=\"grlwbt_divSelectedGameAreaName";
const scrape::Text kWhat = scrape::Gbk("区服类别加载");

}  // namespace

void LoadAreasAndCategories(controls::ActionContext& context) {
    auto& ws = context.workspace;
    auto& c = context.controls;
    controls::FollowCurrent(c, ListBox::游戏名1, ListBox::游戏名);
    const scrape::Text game = controls::CurrentText(c, ListBox::游戏名1);
    const net::FetchResult fetched = context.fetch(DealListUrl(
        context,
        scrape::ConcatText("?offerid=&ts=-1&bt=-1&gm=", net::EscapeForRequestLine(game), "&ga=&gs=")));
    ws.page = fetched.body;

    WalkOptions(context, ws.page,
                {&ScrapeWorkspace::section, {kAreasStart, kAreasEnd}, kOptionName, ListBox::区, ListBox::区1},
                [&] {
                    c.ListBoxClear(ListBox::区);
                    c.ListBoxClear(ListBox::区1);
                });
    // The servers belonged to an area of the previous game: they go once the new areas stand.
    WalkOptions(context, ws.page,
                {&ScrapeWorkspace::section2,
                 {kCategoriesStart, kCategoriesEnd},
                 kOptionName,
                 ListBox::类别,
                 ListBox::类别1},
                [&] {
                    c.ListBoxClear(ListBox::类别);
                    c.ListBoxClear(ListBox::类别1);
                    c.ListBoxClear(ListBox::服);
                    c.ListBoxClear(ListBox::服1);
                });
    controls::ReportFetchFailure(c, kWhat, fetched);
}

}  // namespace tavro::catalogue
