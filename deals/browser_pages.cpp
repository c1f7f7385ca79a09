#include "controls/report.h"
#include "deals/deals.h"
#include "net/url.h"
#include "scrape/gbk.h"

namespace tavro::deals {
namespace {

using controls::ListBox;
using net::EscapeForRequestLine;
using scrape::Case;
using scrape::ConcatText;
using scrape::Text;

constexpr std::string_view kSearchPath = "/search/";
constexpr std::string_view kSearchAreaPart = "-1.shtml?ga=";
constexpr std::string_view kSearchServerPart = "&gs=";
constexpr std::string_view kSearchTail = "&cate=-1&basictype=20000&sort=MoneyAveragePrice_ASC";

bool HasScheme(std::string_view link, std::string_view scheme) {
    return scrape::CompareText(scrape::TextLeft(link, scrape::TextLength(scheme)), scheme, Case::Ignore) == 0;
}

}  // namespace

void OpenUnsoldSearch(controls::ActionContext& context) {
    auto& c = context.controls;
    const Text game = controls::CurrentText(c, ListBox::游戏名1);
    const Text area = controls::CurrentText(c, ListBox::区1);
    if (!context.openInBrowser) return;
    context.openInBrowser(ConcatText("http://", context.site.listing, kSearchPath, EscapeForRequestLine(game),
                                     kSearchAreaPart, EscapeForRequestLine(area), kSearchServerPart,
                                     kSearchTail));
}

void OpenSelectedDeal(controls::Controls& controls, const net::SiteHosts& site,
                      const std::function<void(const Text&)>& openInBrowser) {
    const Text link = controls::CurrentText(controls, ListBox::定单1);
    // A link comes from a page the site controls: only web pages go to the shell.
    Text url;
    if (HasScheme(link, "http://") || HasScheme(link, "https://")) {
        url = link;
    } else if (link.starts_with("/")) {
        url = ConcatText("http://", site.listing, link);
    } else {
        static const Text kNoDeal = scrape::Gbk("请先选择一个定单");
        static const Text kRefused = scrape::Gbk("该定单的链接不是网页地址，未打开");
        controls.StatusBarSetText(controls::kStatusPart, link.empty() ? kNoDeal : kRefused);
        return;
    }
    if (openInBrowser) openInBrowser(url);
}

}  // namespace tavro::deals
