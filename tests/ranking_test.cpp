#include <gtest/gtest.h>

#include "action_harness.h"
#include "ranking/ranking.h"

namespace tavro::testing {
namespace {

using controls::EditBox;
using controls::ListBox;
using controls::ListView;
using demo::LoopbackServer;
using Strings = std::vector<std::string>;
using Rows = std::vector<std::vector<Text>>;

std::string HotPage(const std::string& listingHost, int games, bool endWithItem = false) {
    std::string items;
    for (int i = 0; i < games; ++i) {
        items += "<li><a href=\"http://" + listingHost + "/search/key" + std::to_string(i) +
                 ".shtml\" onclick=\"h(" + std::to_string(i) + ");\">游戏" + std::to_string(i) + "</a></li>";
    }
    return Gbk("<div><span>热门游戏</span></div><ul>" + items + (endWithItem ? "" : "</ul></div>") +
               "<div class=\"hotothergamelist\">");
}

TEST(LoadHotGames, TwentyGames) {
    ActionHarness h([&h](const std::string&) { return LoopbackServer::Response(HotPage(h.host(), 20)); });
    h.Run(ranking::LoadHotGames);
    auto& c = h.controls;
    EXPECT_EQ(h.targets(), (Strings{"/"}));
    EXPECT_EQ(c.ListViewCount(ListView::全局统计交易额), 20);
    EXPECT_EQ(c.ListBoxCount(ListBox::热门游戏列表), 20);
    EXPECT_EQ(c.ListBoxCount(ListBox::热门游戏列表1), 20);
    EXPECT_EQ(Shown(c.ListViewItemText(ListView::全局统计交易额, 19, 0)), "游戏19");
    EXPECT_EQ(c.ListViewItemText(ListView::全局统计交易额, 19, 1), "");
    EXPECT_EQ(c.ListBoxItemText(ListBox::热门游戏列表1, 3), "key3");
    EXPECT_EQ(c.EditText(EditBox::统计游戏), "20");
    EXPECT_EQ(c.ListBoxCurrent(ListBox::热门游戏列表), 0);
    EXPECT_EQ(c.ListBoxCurrent(ListBox::热门游戏列表1), 0);
}

TEST(LoadHotGames, SectionEndingWithTheItemLosesTheLastGame) {
    ActionHarness h(
        [&h](const std::string&) { return LoopbackServer::Response(HotPage(h.host(), 3, true)); });
    h.Run(ranking::LoadHotGames);
    EXPECT_EQ(Shown(h.controls.Items(ListBox::热门游戏列表)), (Strings{"游戏0", "游戏1"}));
    EXPECT_EQ(h.controls.EditText(EditBox::统计游戏), "2");
}

TEST(LoadHotGames, FailedPageLeavesEmptyListsAndSaysWhy) {
    ActionHarness h([](const std::string&) { return LoopbackServer::Response("", 500); });
    h.controls.ListViewInsert(ListView::全局统计交易额, controls::kAppend, "old");
    h.Run(ranking::LoadHotGames);
    EXPECT_EQ(h.controls.ListViewCount(ListView::全局统计交易额), 0);
    EXPECT_EQ(h.controls.EditText(EditBox::统计游戏), "0");
    EXPECT_EQ(h.controls.ListBoxCurrent(ListBox::热门游戏列表), -1);
    EXPECT_EQ(Shown(h.controls.StatusBarText(0)), "热门游戏加载失败：HTTP 状态 500");
}

// Deal rows with the given amounts ("" for a row without one).
std::string AmountPage(const std::vector<std::string>& amounts) {
    std::string page = "<li>成交时间</li>";
    for (size_t i = 0; i < amounts.size(); ++i) {
        if (i > 0) page += " </div><div class=\"listmain\">";
        page += "<ul><li>row</li>";
        if (!amounts[i].empty()) page += "<li class=\"orange\">" + amounts[i] + "元</li>";
        page += "</ul>";
    }
    return Gbk(page + "<div class=\"pagebox beta\">");
}

// A site whose deal list for key<i> is `pages[i]` (no page: a server error); any other
// key gets one row of 1.
ActionHarness RankingSite(std::vector<std::optional<std::string>> pages) {
    return ActionHarness([pages](const std::string& target) {
        const size_t at = target.find("&gm=key");
        if (at == std::string::npos) return LoopbackServer::Response(AmountPage({"1"}));
        const size_t i = std::stoul(target.substr(at + 7));
        if (i >= pages.size() || !pages[i]) return LoopbackServer::Response("down", 500);
        return LoopbackServer::Response(*pages[i]);
    });
}

void LoadHotLists(controls::MemoryControls& c, int keys, const std::string& count) {
    for (int i = 0; i < keys; ++i) {
        c.ListBoxAdd(ListBox::热门游戏列表, "g" + std::to_string(i));
        c.ListBoxAdd(ListBox::热门游戏列表1, "key" + std::to_string(i));
        c.ListViewInsert(ListView::全局统计交易额, controls::kAppend, "g" + std::to_string(i));
    }
    c.SetEditText(EditBox::统计游戏, count);
    c.SetEnabled(controls::Button::按钮1, false);
    ranking::PrepareRanking(c);
}

TEST(RankHotGames, TotalsPerGameInListOrder) {
    auto h = RankingSite(
        {AmountPage({"a1", "", "12.00", "30"}), AmountPage({"", "12.50"}), AmountPage({"x"}), std::nullopt});
    // The first game's amounts: a1 reads 0, a row without one adds 0.
    auto& c = h.controls;
    LoadHotLists(c, 4, "4");
    c.ListBoxAdd(ListBox::全局统计, "stale");
    ranking::PrepareRanking(c);
    h.Run(ranking::RankHotGames);

    EXPECT_EQ(c.Rows(ListView::全局统计交易额),
              (Rows{{"g0", "42"}, {"g1", "12.5"}, {"g2", "0"}, {"g3", ""}}));
    EXPECT_EQ(c.Items(ListBox::全局统计), (std::vector<Text>{"42", "12.5", "0", ""}));
    EXPECT_EQ(h.targets().at(0),
              "/list/viewlastestdeallist.aspx?ts=-1&offerid=&gm=key0"
              "&raceid=-1&ga=-1&gs=-1&bt=-1&sort=-1&section=&pg=2&ps=10000");
    EXPECT_EQ(h.targets().size(), 4u) << "a failed page does not stop the ranking";
    // One game's page failed: the table is not passed off as complete.
    EXPECT_EQ(Shown(c.StatusBarText(0)),
              "统计未完成：已统计 3 / 4 个游戏，其余页面获取失败（HTTP 状态 500）");
    EXPECT_TRUE(c.IsEnabled(controls::Button::按钮1));
    EXPECT_TRUE(c.IsEnabled(ListBox::热门游戏列表));
    EXPECT_TRUE(c.IsEnabled(ListBox::全局统计));
}

TEST(RankHotGames, ScratchRowsAndTheLastStatusLine) {
    auto h = RankingSite({AmountPage({"1.5", "2", "4.25"})});
    auto& c = h.controls;
    LoadHotLists(c, 1, "1");
    h.Run(ranking::RankHotGames);
    EXPECT_EQ(c.Rows(ListView::超级列表框1), (Rows{{"1.5"}, {"4.25"}, {"2"}}));
    EXPECT_EQ(Shown(c.StatusBarText(0)), "g0   统计交易额为：  7.75");
}

TEST(RankHotGames, EmptyHotListsRankOnceWithTheEmptyKey) {
    auto h = RankingSite({});
    ranking::PrepareRanking(h.controls);
    h.Run(ranking::RankHotGames);
    ASSERT_EQ(h.targets().size(), 1u);
    EXPECT_NE(h.targets()[0].find("&gm=&raceid=-1"), std::string::npos);
    EXPECT_EQ(h.controls.ListViewCount(ListView::全局统计交易额), 1);
}

TEST(RankHotGames, EndsAfterTheLastKeyWhateverTheCount) {
    for (const std::string count : {"9", "abc", ""}) {
        auto h = RankingSite({AmountPage({"1"}), AmountPage({"2"}), AmountPage({"3"})});
        LoadHotLists(h.controls, 3, count);
        h.Run(ranking::RankHotGames);
        EXPECT_EQ(h.controls.Items(ListBox::全局统计), (std::vector<Text>{"1", "2", "3"}))
            << "count " << count;
    }
}

TEST(RankHotGames, ASecondLoadEmptiesTheTotalsColumnButKeepsTheTotals) {
    ActionHarness h([&h](const std::string& target) {
        if (target == "/") return LoopbackServer::Response(HotPage(h.host(), 2));
        return LoopbackServer::Response(AmountPage({"5"}));
    });
    h.Run(ranking::LoadHotGames);
    ranking::PrepareRanking(h.controls);
    h.Run(ranking::RankHotGames);
    EXPECT_EQ(h.controls.Items(ListBox::全局统计), (std::vector<Text>{"5", "5"}));
    h.Run(ranking::LoadHotGames);
    EXPECT_EQ(h.controls.ListViewItemText(ListView::全局统计交易额, 0, 1), "");
    EXPECT_EQ(h.controls.ListViewCount(ListView::全局统计交易额), 2);
    EXPECT_EQ(h.controls.Items(ListBox::全局统计), (std::vector<Text>{"5", "5"}));
}

}  // namespace
}  // namespace tavro::testing
