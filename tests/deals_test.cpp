#include <gtest/gtest.h>

#include "action_harness.h"
#include "deals/deals.h"

namespace tavro::testing {
namespace {

using controls::Caption;
using controls::ListBox;
using controls::ListView;
using Strings = std::vector<std::string>;

struct Deal {
    std::string title;
    std::string link;
    std::string price;
    std::string amount;  // empty: the row has no amount
};

std::string Row(const Deal& d) {
    std::string row = "<ul><li><a href=\"" + d.link + "\" target=\"_blank\">" + d.title + "</a></li>";
    row += "<li><span class=\"orange\">" + d.price + "</span></li>";
    if (!d.amount.empty()) row += "<li class=\"orange\">" + d.amount + "元</li>";
    return row + "</ul>";
}

// A deal list in the site's shape: rows separated by " </div><div class=\"listmain".
std::string DealPage(const std::vector<Deal>& deals, const std::string& count) {
    std::string page = "<div><ul><li>成交时间</li></ul></div><div class=\"listmain\">";
    for (size_t i = 0; i < deals.size(); ++i) {
        if (i > 0) page += " </div><div class=\"listmain\">";
        page += Row(deals[i]);
    }
    page += " </div><div class=\"pagebox beta\"><li class=\"yeshu\">共 " + count + " 单 1/1 页</li></div>";
    return Gbk(page);
}

void Select(controls::MemoryControls& c, ListBox box, ListBox twin, const std::string& name,
            const Text& key) {
    c.ListBoxAdd(box, Gbk(name));
    c.ListBoxAdd(twin, key);
    c.ListBoxSetCurrent(box, 0);
    c.ListBoxSetCurrent(twin, 0);
}

TEST(QueryLatestDeals, ThreeDeals) {
    auto h = ActionHarness::Serving(DealPage({{"金币 x5", "http://d/1.shtml", "1.50元/件", "7.50"},
                                              {"神兵", "http://d/2.shtml", "2.25元/件", "2.25"},
                                              {"坐骑", "http://d/3.shtml", "40元/件", "40"}},
                                             "3"));
    auto& c = h.controls;
    Select(c, ListBox::游戏名, ListBox::游戏名1, "星海远征", "G1");
    Select(c, ListBox::区, ListBox::区1, "电信一区", "A1");
    Select(c, ListBox::服, ListBox::服1, "紫禁之巅", "S1");
    Select(c, ListBox::类别, ListBox::类别1, "游戏币", "C1");
    h.Run(deals::QueryLatestDeals);

    EXPECT_EQ(h.targets(), (Strings{"/list/viewlastestdeallist.aspx?offerid=&ts=-1&bt=C1&gm=G1&ga=A1&gs=S1"
                                    "&raceid=-1&sort=-1&section=-1_-1&pg=1&ps=10000"}));
    EXPECT_EQ(Shown(c.Items(ListBox::定单)), (Strings{"金币 x5", "神兵", "坐骑"}));
    EXPECT_EQ(c.Items(ListBox::定单1),
              (std::vector<Text>{"http://d/1.shtml", "http://d/2.shtml", "http://d/3.shtml"}));
    EXPECT_EQ(Shown(c.Items(ListBox::单价)), (Strings{"1.50元/件", "2.25元/件", "40元/件"}));
    // Amounts go in at position 1: pieces 1, N, ..., 2.
    EXPECT_EQ(c.Rows(ListView::总合), (std::vector<std::vector<Text>>{{"7.50"}, {"40"}, {"2.25"}}));
    EXPECT_EQ(Shown(c.CaptionText(Caption::标签1)), "成交 3 笔");
    EXPECT_EQ(Shown(c.CaptionText(Caption::标签2)), "交易 49.75  元");
    EXPECT_EQ(Shown(c.CaptionText(Caption::状态)), "查询完毕！");
    EXPECT_EQ(Shown(c.CaptionText(Caption::分组框3)), "星海远征电信一区紫禁之巅   成交定单");
    EXPECT_EQ(Shown(c.StatusBarText(0)),
              "星海远征<>电信一区<>紫禁之巅   成交 3 笔 定单   统计交易额为：  49.75  元");
    EXPECT_EQ(c.ListBoxCurrent(ListBox::定单), -1);
}

TEST(QueryLatestDeals, KeysWithoutCurrentItems) {
    auto h = ActionHarness::Serving(DealPage({}, "0"));
    h.controls.ListBoxAdd(ListBox::服1, "S1");  // an item, but none current: "-1"
    h.Run(deals::QueryLatestDeals);
    EXPECT_EQ(h.targets().at(0),
              "/list/viewlastestdeallist.aspx?offerid=&ts=-1&bt=&gm=&ga=&gs=-1"
              "&raceid=-1&sort=-1&section=-1_-1&pg=1&ps=10000");
}

TEST(QueryLatestDeals, KeysThatWouldBreakTheRequestLineAreEscaped) {
    auto h = ActionHarness::Serving(DealPage({}, "0"));
    Select(h.controls, ListBox::游戏名, ListBox::游戏名1, "g", "a b\r\nHost: evil");
    Select(h.controls, ListBox::服, ListBox::服1, "s", Gbk("一服"));
    h.Run(deals::QueryLatestDeals);
    const std::string target = h.targets().at(0);
    EXPECT_NE(target.find("&gm=a%20b%0D%0AHost:%20evil&"), std::string::npos) << target;
    EXPECT_NE(target.find("&gs=%D2%BB%B7%FE&"), std::string::npos) << target;
}

TEST(QueryLatestDeals, Totals) {
    struct Case {
        const char* what;
        std::vector<std::string> amounts;
        std::string total;
    };
    const Case cases[] = {
        {"none, 12.00 and 30", {"", "12.00", "30"}, "42"},
        {"none and 12.50", {"", "12.50"}, "12.5"},
        {"1.5 and 2.25", {"1.5", "2.25"}, "3.75"},
        {"a whole number has no point", {"100.00", "50.00"}, "150"},
        {"full-width digits and a thousands separator", {"１２．５", "1,200"}, "13.5"},
        {"one piece", {"12.5"}, "12.5"},
    };
    for (const auto& c : cases) {
        std::vector<Deal> deals;
        for (const auto& a : c.amounts)
            deals.push_back({"t", "http://d/x", "p", a});
        auto h = ActionHarness::Serving(DealPage(deals, std::to_string(deals.size())));
        h.Run(deals::QueryLatestDeals);
        EXPECT_EQ(Shown(h.controls.CaptionText(Caption::标签2)), "交易 " + c.total + "  元") << c.what;
        EXPECT_EQ(h.controls.ListViewCount(ListView::总合), static_cast<int>(c.amounts.size())) << c.what;
    }
}

TEST(QueryLatestDeals, EmptyOrFailedPageSaysSo) {
    struct Case {
        const char* what;
        std::function<std::string(const std::string&)> respond;
        std::string status;
    };
    const Case cases[] = {
        {"nothing answers", [](const std::string&) { return std::string(); }, "查询失败：无法连接"},
        {"a server error", [](const std::string&) { return demo::LoopbackServer::Response("x", 500); },
         "查询失败：HTTP 状态 500"},
        {"a page without the deal list",
         [](const std::string&) { return demo::LoopbackServer::Response("<html>maintenance</html>"); },
         "查询失败：页面格式无法识别"},
    };
    for (const auto& c : cases) {
        ActionHarness h(c.respond);
        h.controls.ListBoxAdd(ListBox::定单, "old");
        h.controls.ListViewInsert(ListView::总合, 0, "9");
        h.Run(deals::QueryLatestDeals);
        EXPECT_TRUE(h.controls.Items(ListBox::定单).empty()) << c.what;
        EXPECT_TRUE(h.controls.Items(ListBox::定单1).empty()) << c.what;
        EXPECT_TRUE(h.controls.Items(ListBox::单价).empty()) << c.what;
        EXPECT_EQ(h.controls.ListViewCount(ListView::总合), 0) << c.what;
        EXPECT_EQ(Shown(h.controls.CaptionText(Caption::标签1)), "成交  笔") << c.what;
        EXPECT_EQ(Shown(h.controls.CaptionText(Caption::标签2)), "交易   元") << c.what;
        EXPECT_EQ(Shown(h.controls.CaptionText(Caption::状态)), "查询失败") << c.what;
        EXPECT_EQ(Shown(h.controls.StatusBarText(0)), c.status) << c.what;
    }
}

TEST(QueryLatestDeals, MissingMarkersKeepTheListsAligned) {
    // Piece 1 holds only the header's rest; a deal without a link; one without a price.
    auto h = ActionHarness::Serving(
        Gbk("<li>成交时间</li>junk <b>no row</b> </div><div class=\"listmain\">"
            "<li>x\" target=\"_blank\">无链接</a></li><li class=\"orange\">5元</li>"
            " </div><div class=\"listmain\"><a href=\"/deal/9\" target=\"_blank\">相对</a></li>"
            "<div class=\"pagebox beta\">"));
    h.Run(deals::QueryLatestDeals);
    auto& c = h.controls;
    EXPECT_EQ(Shown(c.Items(ListBox::定单)), (Strings{"", "无链接", "相对"}));
    EXPECT_EQ(c.Items(ListBox::定单1), (std::vector<Text>{"", "", "/deal/9"}));
    EXPECT_EQ(c.Items(ListBox::单价), (std::vector<Text>{"", "", ""}));
    EXPECT_EQ(c.Rows(ListView::总合), (std::vector<std::vector<Text>>{{""}, {""}, {"5"}}));
    EXPECT_EQ(Shown(c.CaptionText(Caption::标签2)), "交易 5  元");
}

TEST(OpenSelectedDeal, OnlyWebPagesReachTheShell) {
    struct Case {
        Text link;
        Text opened;  // empty: refused
        std::string status;
    };
    const net::SiteHosts site{"list.example", "www.example"};
    const Case cases[] = {
        {"http://list.example/deal/1.shtml", "http://list.example/deal/1.shtml", "状态："},
        {"HTTPS://elsewhere/x", "HTTPS://elsewhere/x", "状态："},
        {"/deal/2.shtml", "http://list.example/deal/2.shtml", "状态："},
        {"javascript:alert(1)", "", "该定单的链接不是网页地址，未打开"},
        {"file:///etc/passwd", "", "该定单的链接不是网页地址，未打开"},
        {"C:\\Windows\\notepad.exe", "", "该定单的链接不是网页地址，未打开"},
        {"deal/3.shtml", "", "该定单的链接不是网页地址，未打开"},
        {"", "", "请先选择一个定单"},
    };
    for (const auto& c : cases) {
        controls::MemoryControls controls;
        controls.ListBoxAdd(ListBox::定单1, c.link);
        controls.ListBoxSetCurrent(ListBox::定单1, 0);
        std::vector<Text> opened;
        deals::OpenSelectedDeal(controls, site, [&](const Text& url) { opened.push_back(url); });
        EXPECT_EQ(opened, c.opened.empty() ? std::vector<Text>{} : std::vector<Text>{c.opened}) << c.link;
        EXPECT_EQ(Shown(controls.StatusBarText(0)), c.status) << c.link;
    }
}

TEST(OpenUnsoldSearch, BuildsTheSearchUrl) {
    auto h = ActionHarness::Serving("");
    h.Run(deals::OpenUnsoldSearch);
    Select(h.controls, ListBox::游戏名, ListBox::游戏名1, "g", "G1");
    Select(h.controls, ListBox::区, ListBox::区1, "a", "A1");
    Select(h.controls, ListBox::服, ListBox::服1, "s", "S1");  // the server is never used
    h.Run(deals::OpenUnsoldSearch);
    const std::string base = "http://" + h.host();
    EXPECT_EQ(h.opened(),
              (std::vector<Text>{
                  base + "/search/-1.shtml?ga=&gs=&cate=-1&basictype=20000&sort=MoneyAveragePrice_ASC",
                  base + "/search/G1-1.shtml?ga=A1&gs=&cate=-1&basictype=20000&sort=MoneyAveragePrice_ASC"}));
    EXPECT_TRUE(h.targets().empty()) << "nothing is fetched";
}

}  // namespace
}  // namespace tavro::testing
