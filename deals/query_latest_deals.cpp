#include "controls/report.h"
#include "deals/deal_list.h"
#include "deals/deals.h"
#include "net/url.h"
#include "scrape/gbk.h"

namespace tavro::deals {
namespace {

using controls::Caption;
using controls::ListBox;
using controls::ListView;
using net::EscapeForRequestLine;
using scrape::ConcatText;
using scrape::Gbk;
using scrape::ScrapeWorkspace;
using scrape::Text;

constexpr std::string_view kQueryStart = "?offerid=&ts=-1&bt=";
constexpr std::string_view kQueryTail = "&raceid=-1&sort=-1&section=-1_-1&pg=1&ps=10000";
constexpr std::string_view kNoServer = "-1";

constexpr scrape::Markers kTitle{"_blank\">", "</a></li>"};
constexpr scrape::Markers kLink{"<a href=\"", "\""};
constexpr scrape::Markers kUnitPrice{"<span class=\"orange\">", "</span></li>"};
const Text kPagerEnd = Gbk("页</li>");
const scrape::Markers kPager{"<li class=\"yeshu\">", kPagerEnd};
const Text kCountStart = Gbk("共 ");
const Text kCountEnd = Gbk(" 单");
const scrape::Markers kCount{kCountStart, kCountEnd};

const Text kQuerying = Gbk("正在查询，请等待.....");
const Text kDone = Gbk("查询完毕！");
const Text kFailed = Gbk("查询失败");
const Text kDealsCaption = Gbk("   成交定单");
const Text kCountBefore = Gbk("成交 ");
const Text kCountAfter = Gbk(" 笔");
const Text kTotalBefore = Gbk("交易 ");
const Text kYuan = Gbk("  元");
const Text kSummaryMiddle = Gbk(" 定单   统计交易额为：  ");
constexpr std::string_view kNameSeparator = "<>";
constexpr std::string_view kThreeSpaces = "   ";

void WalkInto(controls::ActionContext& context, Text ScrapeWorkspace::*section, ListBox target,
              const scrape::Markers& value) {
    auto& c = context.controls;
    const scrape::PieceWalk walk{section, DealSection(), kDealDelimiter, scrape::WalkBound::EveryPiece};
    scrape::WalkPieces(
        context.workspace, context.workspace.page, walk,
        {[&] { c.ListBoxClear(target); },
         [&](std::string_view piece) { c.ListBoxAdd(target, scrape::ExtractBetween(piece, value)); },
         [&] { c.ProcessPendingEvents(); }});
}

}  // namespace

void QueryLatestDeals(controls::ActionContext& context) {
    auto& c = context.controls;
    auto& ws = context.workspace;
    c.SetCaption(Caption::状态, kQuerying);
    c.SetCaption(Caption::分组框3,
                 ConcatText(controls::CurrentText(c, ListBox::游戏名), controls::CurrentText(c, ListBox::区),
                            controls::CurrentText(c, ListBox::服), kDealsCaption));
    const int server = c.ListBoxCurrent(ListBox::服1);
    const Text serverKey =
        server == controls::kNoItem ? Text(kNoServer) : c.ListBoxItemText(ListBox::服1, server);
    const Text category = controls::CurrentText(c, ListBox::类别1);
    const Text game = controls::CurrentText(c, ListBox::游戏名1);
    const Text area = controls::CurrentText(c, ListBox::区1);
    const Text url =
        ConcatText("http://", context.site.listing, net::kDealListPath, kQueryStart,
                   EscapeForRequestLine(category), "&gm=", EscapeForRequestLine(game),
                   "&ga=", EscapeForRequestLine(area), "&gs=", EscapeForRequestLine(serverKey), kQueryTail);
    const net::FetchResult fetched = context.fetch(url);
    ws.page = fetched.body;

    WalkInto(context, &ScrapeWorkspace::section, ListBox::定单, kTitle);
    WalkInto(context, &ScrapeWorkspace::section2, ListBox::定单1, kLink);

    // The site's count is shown as it stands, never parsed.
    ws.section3 = scrape::ExtractBetween(ws.page, kPager);
    c.SetCaption(Caption::标签1,
                 ConcatText(kCountBefore, scrape::ExtractBetween(ws.section3, kCount), kCountAfter));

    WalkInto(context, &ScrapeWorkspace::section4, ListBox::单价, kUnitPrice);
    WalkAmounts(ws, &ScrapeWorkspace::section5, c, ListView::总合);
    const Text total = AddUpAmounts(c, ListView::总合);
    c.SetCaption(Caption::标签2, ConcatText(kTotalBefore, total, kYuan));

    // An empty page used to read as an empty result; say instead that the query failed.
    const bool fetchFailed = fetched.outcome != net::FetchOutcome::Ok;
    const bool layoutUnknown =
        !fetchFailed && scrape::FindText(ws.page, DealSection().start) == scrape::kNotFound;
    if (fetchFailed || layoutUnknown) {
        c.SetCaption(Caption::状态, kFailed);
        const Text reason = fetchFailed ? net::DescribeFailure(fetched) : controls::LayoutNotRecognised();
        c.StatusBarSetText(controls::kStatusPart, ConcatText(kFailed, Gbk("："), reason));
        return;
    }
    c.SetCaption(Caption::状态, kDone);
    c.StatusBarSetText(controls::kStatusPart,
                       ConcatText(controls::CurrentText(c, ListBox::游戏名), kNameSeparator,
                                  controls::CurrentText(c, ListBox::区), kNameSeparator,
                                  controls::CurrentText(c, ListBox::服), kThreeSpaces,
                                  c.CaptionText(Caption::标签1), kSummaryMiddle, total, kYuan));
}

}  // namespace tavro::deals
