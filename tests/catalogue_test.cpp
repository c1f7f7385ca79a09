#include <gtest/gtest.h>

#include "action_harness.h"
#include "catalogue/catalogue.h"

namespace tavro::testing {
namespace {

using controls::ListBox;
using demo::LoopbackServer;
using Strings = std::vector<std::string>;

// A game selector in the site's shape, with `options` between its placeholder and the next
// selector's placeholder.
std::string GamePage(const std::string& options) {
    return Gbk("<select id=\"g\"><option value=\"-1\">请选择</option>" + options +
               "<option selected=\"selected\" value=\"-1\">请选择</option></select>");
}

TEST(LoadGameList, CutsOneNameAndKeyPerOption) {
    auto h = ActionHarness::Serving(
        GamePage("<option value=\"k1\">星海远征</option><option value=\"k2\">A>B</option>"
                 "<option value=\"k3\">龙城</b>传说</option></select>"));
    h.Run(catalogue::LoadGameList);
    // A ">" inside a name does no harm; a "</" inside one cuts it short.
    EXPECT_EQ(Shown(h.controls.Items(ListBox::游戏名)), (Strings{"星海远征", "A>B", "龙城"}));
    EXPECT_EQ(h.controls.Items(ListBox::游戏名1), (std::vector<Text>{"k1", "k2", "k3"}));
    EXPECT_EQ(
        h.targets(),
        (Strings{
            "/list/"
            "viewlastestdeallist.aspx?offerid=&ts=-1&bt=-1&gm=20c8bbc1b9794fc98bd96859624d4769&ga=&gs="}));
    EXPECT_EQ(h.controls.ListBoxCurrent(ListBox::游戏名), -1);
    EXPECT_EQ(h.lastWorkspace->pieceIndex, 4);
}

TEST(LoadGameList, EdgesOfTheOptions) {
    struct Case {
        const char* what;
        std::string options;
        Strings names;
        std::vector<Text> keys;
    };
    const Case cases[] = {
        {"a section ending with the last option loses it",
         "<option value=\"k1\">甲</option><option value=\"k2\">乙</option>",
         {"甲"},
         {"k1"}},
        {"another attribute before value: name kept, key empty",
         "<option selected=\"selected\" value=\"k1\">甲</option><option value=\"k2\">乙</option></select>",
         {"甲", "乙"},
         {"", "k2"}},
        {"no options", "</select>", {}, {}},
    };
    for (const auto& c : cases) {
        auto h = ActionHarness::Serving(GamePage(c.options));
        h.controls.ListBoxAdd(ListBox::游戏名, "old");
        h.Run(catalogue::LoadGameList);
        EXPECT_EQ(Shown(h.controls.Items(ListBox::游戏名)), c.names) << c.what;
        EXPECT_EQ(h.controls.Items(ListBox::游戏名1), c.keys) << c.what;
    }
}

TEST(LoadGameList, UnreachableSiteEmptiesTheListsAndSaysWhy) {
    auto h = ActionHarness([](const std::string&) { return std::string(); });  // closes without answering
    h.controls.ListBoxAdd(ListBox::游戏名, "old");
    h.controls.ListBoxAdd(ListBox::游戏名1, "old");
    h.Run(catalogue::LoadGameList);
    EXPECT_TRUE(h.controls.Items(ListBox::游戏名).empty());
    EXPECT_TRUE(h.controls.Items(ListBox::游戏名1).empty());
    EXPECT_EQ(Shown(h.controls.StatusBarText(0)), "游戏列表加载失败：无法连接");
}

TEST(LoadGameList, ServerErrorIsNamed) {
    auto h = ActionHarness([](const std::string&) { return LoopbackServer::Response("oops", 500); });
    h.Run(catalogue::LoadGameList);
    EXPECT_EQ(Shown(h.controls.StatusBarText(0)), "游戏列表加载失败：HTTP 状态 500");
}

std::string AreaAndCategoryPage(const std::string& areas, const std::string& categories) {
    return Gbk(
        "<select id=\"g\"><option value=\"-1\">请选择</option><option value=\"g1\">甲</option></select>"
        "<select id=\"a\"><option selected=\"selected\" value=\"-1\">请选择</option>" +
        areas +
        "</select> <select name=\"grlwbt$ddlGameServers\" id=\"grlwbt_ddlGameServers\"></select>"
        "<select id=\"t\"><option value=\"-1\">不限</option>" +
        categories + "</select> <span id=\"grlwbt_divSelectedGameAreaName\"></span>");
}

TEST(LoadAreasAndCategories, FillsBothPairsAndEmptiesTheServers) {
    auto h = ActionHarness::Serving(
        AreaAndCategoryPage("<option value=\"a1\">电信一区</option><option value=\"a2\">电信二区</option>"
                            "<option value=\"a3\">网通一区</option><option value=\"a4\">网通二区</option>",
                            "<option value=\"c1\">游戏币</option><option value=\"c2\">装备</option><option "
                            "value=\"c3\">账号</option>"));
    auto& c = h.controls;
    c.ListBoxAdd(ListBox::游戏名, "x");
    c.ListBoxAdd(ListBox::游戏名, "y");
    c.ListBoxAdd(ListBox::游戏名1, "kx");
    c.ListBoxAdd(ListBox::游戏名1, "key y");
    c.ListBoxSetCurrent(ListBox::游戏名, 1);
    c.ListBoxAdd(ListBox::服, "old server");
    c.ListBoxAdd(ListBox::服1, "s");
    h.Run(catalogue::LoadAreasAndCategories);

    EXPECT_EQ(c.ListBoxCurrent(ListBox::游戏名1), 1);
    EXPECT_EQ(h.targets(),
              (Strings{"/list/viewlastestdeallist.aspx?offerid=&ts=-1&bt=-1&gm=key%20y&ga=&gs="}));
    EXPECT_EQ(Shown(c.Items(ListBox::区)), (Strings{"电信一区", "电信二区", "网通一区", "网通二区"}));
    EXPECT_EQ(c.Items(ListBox::区1), (std::vector<Text>{"a1", "a2", "a3", "a4"}));
    EXPECT_EQ(Shown(c.Items(ListBox::类别)), (Strings{"游戏币", "装备", "账号"}));
    EXPECT_EQ(c.Items(ListBox::类别1), (std::vector<Text>{"c1", "c2", "c3"}));
    EXPECT_TRUE(c.Items(ListBox::服).empty());
    EXPECT_TRUE(c.Items(ListBox::服1).empty());
}

TEST(LoadAreasAndCategories, TheTwoSectionsAreCutIndependently) {
    auto h =
        ActionHarness::Serving(Gbk("<x>不限</option><option value=\"c1\">装备</option></select> "
                                   "<span id=\"grlwbt_divSelectedGameAreaName\">"));
    h.Run(catalogue::LoadAreasAndCategories);
    EXPECT_TRUE(h.controls.Items(ListBox::区).empty());
    EXPECT_EQ(h.controls.Items(ListBox::类别1), (std::vector<Text>{"c1"}));
    EXPECT_TRUE(h.targets().at(0).find("&gm=&ga=&gs=") != std::string::npos) << "no game current: empty key";
}

std::string ServerPage(const std::string& options) {
    return Gbk(
        "<select name=\"grlwbt$ddlGameServers\" id=\"grlwbt_ddlGameServers\">"
        "<option selected=\"selected\" value=\"-1\">请选择</option>" +
        options + "</select>\n<input name=\"grlwbt$txtGameId\" />");
}

TEST(LoadServers, FillsTheServerPair) {
    std::string options;
    for (int i = 1; i <= 5; ++i)
        options += "<option value=\"s" + std::to_string(i) + "\">" + std::to_string(i) + "服</option>";
    auto h = ActionHarness::Serving(ServerPage(options + "\n"));
    auto& c = h.controls;
    c.ListBoxAdd(ListBox::游戏名, "g");
    c.ListBoxAdd(ListBox::游戏名1, "G1");
    c.ListBoxSetCurrent(ListBox::游戏名, 0);
    c.ListBoxAdd(ListBox::区1, "A1");
    c.ListBoxSetCurrent(ListBox::区1, 0);
    h.Run(catalogue::LoadServers);
    EXPECT_EQ(Shown(c.Items(ListBox::服)), (Strings{"1服", "2服", "3服", "4服", "5服"}));
    EXPECT_EQ(c.Items(ListBox::服1), (std::vector<Text>{"s1", "s2", "s3", "s4", "s5"}));
    // No category current: nothing between "&bt=" and "&gm=".
    EXPECT_EQ(h.targets(), (Strings{"/list/viewlastestdeallist.aspx?offerid=&ts=-1&bt=&gm=G1&ga=A1"
                                    "&gs=-1&raceid=-1&sort=-1&section=-1_-1&pg=1&ps=10000"}));
}

TEST(LoadServers, EdgesOfTheOptions) {
    struct Case {
        const char* what;
        std::string options;
        Strings names;
        std::vector<Text> keys;
    };
    const Case cases[] = {
        {"options up to </select> lose the last",
         "<option value=\"s1\">甲</option><option value=\"s2\">乙</option>",
         {"甲"},
         {"s1"}},
        {"another attribute before value",
         "<option selected=\"selected\" value=\"s1\">甲</option>\n",
         {"甲"},
         {""}},
    };
    for (const auto& c : cases) {
        auto h = ActionHarness::Serving(ServerPage(c.options));
        h.controls.ListBoxAdd(ListBox::服, "old");
        h.Run(catalogue::LoadServers);
        EXPECT_EQ(Shown(h.controls.Items(ListBox::服)), c.names) << c.what;
        EXPECT_EQ(h.controls.Items(ListBox::服1), c.keys) << c.what;
    }
}

}  // namespace
}  // namespace tavro::testing
