#include "controls/report.h"
#include "deals/deal_list.h"
#include "net/url.h"
#include "ranking/ranking.h"
#include "scrape/gbk.h"

namespace tavro::ranking {
namespace {

using controls::Button;
using controls::EditBox;
using controls::ListBox;
using controls::ListView;
using scrape::ConcatText;
using scrape::Gbk;
using scrape::NumberToText;
using scrape::Text;

// A whole game's deals: page 2 of up to 10000, area, server and category all "-1".
constexpr std::string_view kGameQueryStart = "?ts=-1&offerid=&gm=";
constexpr std::string_view kGameQueryEnd = "&raceid=-1&ga=-1&gs=-1&bt=-1&sort=-1&section=&pg=2&ps=10000";
const Text kTotalLabel = Gbk("   统计交易额为：  ");

// The count the hot-games load wrote, as a real, read afresh after every game.
double GameCount(controls::Controls& c) {
    return scrape::ToNumber(c.EditText(EditBox::统计游戏));
}

}  // namespace

void PrepareRanking(controls::Controls& c) {
    c.SetEnabled(ListBox::热门游戏列表, false);
    c.SetEnabled(ListBox::全局统计, false);
    c.ListBoxClear(ListBox::全局统计);
    c.ListViewClear(ListView::全局统计交易额);
    c.ListBoxSetCurrent(ListBox::热门游戏列表, 0);
    c.ListBoxSetCurrent(ListBox::热门游戏列表1, 0);
}

void RankHotGames(controls::ActionContext& context) {
    auto& c = context.controls;
    auto& ws = context.workspace;
    int ranked = 0;
    int arrived = 0;
    Text lastFailure;
    for (;;) {
        const int keyIndex = c.ListBoxCurrent(ListBox::热门游戏列表1);
        const Text key = c.ListBoxItemText(ListBox::热门游戏列表1, keyIndex);
        const Text name = controls::CurrentText(c, ListBox::热门游戏列表);
        c.StatusBarSetText(controls::kStatusPart,
                           ConcatText(Gbk("正在统计第 "), NumberToText(ranked + 1), " / ",
                                      NumberToText(GameCount(c)), Gbk(" 个游戏："), name));

        const net::FetchResult fetched =
            context.fetch(ConcatText("http://", context.site.listing, net::kDealListPath, kGameQueryStart,
                                     net::EscapeForRequestLine(key), kGameQueryEnd));
        ws.page = fetched.body;
        deals::WalkAmounts(ws, &scrape::ScrapeWorkspace::section, c, ListView::超级列表框1);
        const Text total = deals::AddUpAmounts(c, ListView::超级列表框1);
        ++ranked;
        if (fetched.outcome == net::FetchOutcome::Ok) {
            ++arrived;
        } else {
            lastFailure = net::DescribeFailure(fetched);
        }

        c.ListBoxAdd(ListBox::全局统计, total);
        c.ListViewInsert(ListView::全局统计交易额, controls::kAppend, name);
        c.ListViewSetItemText(ListView::全局统计交易额, c.ListViewCount(ListView::全局统计交易额) - 1, 1,
                              total);
        c.StatusBarSetText(controls::kStatusPart, ConcatText(name, kTotalLabel, total));

        const double games = GameCount(c);
        const int current = c.ListBoxCurrent(ListBox::热门游戏列表1);
        // Ends at the game the count names, and in any case after the last key: a count
        // larger than the keys (or unreadable) must not keep the ranking going for ever.
        const bool countReached = scrape::RealEqual(current, games - 1);
        const bool keysExhausted = current + 1 >= c.ListBoxCount(ListBox::热门游戏列表1);
        if (countReached || keysExhausted) break;
        c.ListBoxSetCurrent(ListBox::热门游戏列表1, current + 1);
        c.ListBoxSetCurrent(ListBox::热门游戏列表, c.ListBoxCurrent(ListBox::热门游戏列表) + 1);
    }
    if (arrived < ranked) {
        // A partial table is never shown as complete.
        c.StatusBarSetText(
            controls::kStatusPart,
            ConcatText(Gbk("统计未完成：已统计 "), NumberToText(arrived), " / ", NumberToText(ranked),
                       Gbk(" 个游戏，其余页面获取失败（"), lastFailure, Gbk("）")));
    }
    c.SetEnabled(ListBox::热门游戏列表, true);
    c.SetEnabled(ListBox::全局统计, true);
    c.SetEnabled(Button::按钮1, true);
}

}  // namespace tavro::ranking
