// Every action against a server that misbehaves in each way a network or a site can: no
// crash, no hang, the lists of a pair stay the same length, and a failure is named.

#include <gtest/gtest.h>

#include <thread>

#include "action_harness.h"
#include "catalogue/catalogue.h"
#include "deals/deals.h"
#include "ranking/ranking.h"

namespace tavro::testing {
namespace {

using controls::ListBox;
using controls::ListView;
using demo::Connection;
using demo::LoopbackServer;
using namespace std::chrono_literals;

constexpr size_t kCap = 1 << 20;

using Handler = std::function<void(const std::string& target, Connection&)>;

// A page with every shape at once: selectors, a deal list and hot games.
std::string EveryShape() {
    return Gbk(
        "<option value=\"-1\">请选择</option><option value=\"g1\">甲</option></select>"
        "<option selected=\"selected\" value=\"-1\">请选择</option><option value=\"a1\">一区</option>"
        "</select> <select name=\"grlwbt$ddlGameServers\" id=\"grlwbt_ddlGameServers\">"
        "<option selected=\"selected\" value=\"-1\">请选择</option><option "
        "value=\"s1\">一服</option></select>"
        "<input name=\"grlwbt$txtGameId\" /><option value=\"-1\">不限</option><option "
        "value=\"c1\">装备</option>"
        "</select> <span id=\"grlwbt_divSelectedGameAreaName\"></span>"
        "<li>成交时间</li><a href=\"http://d/1\" target=\"_blank\">t</a></li><li class=\"orange\">5元</li>"
        "<div class=\"pagebox beta\"><li class=\"yeshu\">共 1 单 1/1 页</li>"
        "<span>热门游戏</span></div><li><a href=\"http://127.0.0.1/search/k.shtml\" x=\"f();\">h</a></li>"
        "<div class=\"hotothergamelist\">");
}

struct Fault {
    const char* name;
    Handler serve;
    const char* phrase;  // what the status bar names, or nullptr when the page arrives
};

std::vector<Fault> Faults() {
    const std::string page = EveryShape();
    std::string options = Gbk("<option value=\"-1\">请选择</option>");
    for (int i = 0; i < 10000; ++i)
        options += "<option value=\"k" + std::to_string(i) + "\">g</option>";
    options += Gbk("</select><option selected=\"selected\" value=\"-1\">请选择</option>");
    return {
        {"accepts and closes", [](const std::string&, Connection&) {}, "无法连接"},
        {"accepts and never answers",
         [](const std::string&, Connection& c) {
             while (!c.WaitForPeerClose(20)) {
             }
         },
         "连接超时"},
        {"resets mid-body",
         [page](const std::string&, Connection& c) {
             c.Write("HTTP/1.1 200 OK\r\nContent-Length: 99999\r\n\r\n" + page.substr(0, page.size() / 2));
             std::this_thread::sleep_for(20ms);
             c.Reset();
         },
         "连接中断"},
        {"a body far over the cap",
         [page](const std::string&, Connection& c) {
             c.Write(LoopbackServer::Response(page + std::string(2 * kCap, 'x')));
         },
         "页面过大"},
        {"a server error",
         [page](const std::string&, Connection& c) { c.Write(LoopbackServer::Response(page, 500)); },
         "HTTP 状态 500"},
        {"a redirect to a file",
         [](const std::string&, Connection& c) {
             c.Write(LoopbackServer::Response("", 302, "text/html", "Location: file:///etc/passwd\r\n"));
         },
         "无法连接"},
        {"trickles within the time-out",
         [page](const std::string&, Connection& c) {
             c.Write("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(page.size()) + "\r\n\r\n");
             for (size_t at = 0; at < page.size(); at += page.size() / 4 + 1) {
                 std::this_thread::sleep_for(30ms);
                 if (!c.Write(page.substr(at, page.size() / 4 + 1))) return;
             }
         },
         nullptr},
        {"a zero byte mid-page",
         [page](const std::string&, Connection& c) {
             c.Write(LoopbackServer::Response(page.substr(0, 300) + std::string(1, '\0') + page.substr(300)));
         },
         nullptr},
        {"invalid and truncated GBK",
         [](const std::string&, Connection& c) {
             c.Write(LoopbackServer::Response(
                 Gbk("请选择</option>") + "<option value=\"\xFF\x81\">\x81\x7F\xFE</option>\xB0" +
                 Gbk("<option selected=\"selected\" value=\"-1\">请选择</option>")));
         },
         nullptr},
        {"every marker missing",
         [](const std::string&, Connection& c) { c.Write(LoopbackServer::Response("<html/>")); }, nullptr},
        {"markers repeated and overlapping",
         [page](const std::string&, Connection& c) {
             c.Write(LoopbackServer::Response(page + page +
                                              Gbk("请选择</option>请选择</option>option>option></")));
         },
         nullptr},
        {"10000 options in a selector",
         [options](const std::string&, Connection& c) { c.Write(LoopbackServer::Response(options)); },
         nullptr},
    };
}

using Action = void (*)(controls::ActionContext&);

void ExpectPairsAligned(controls::MemoryControls& c, const std::string& where) {
    const std::pair<ListBox, ListBox> pairs[] = {
        {ListBox::游戏名, ListBox::游戏名1}, {ListBox::区, ListBox::区1},     {ListBox::类别, ListBox::类别1},
        {ListBox::服, ListBox::服1},         {ListBox::定单, ListBox::定单1}, {ListBox::定单, ListBox::单价}};
    for (const auto& [a, b] : pairs)
        EXPECT_EQ(c.ListBoxCount(a), c.ListBoxCount(b)) << where;
    EXPECT_EQ(c.ListBoxCount(ListBox::定单), c.ListViewCount(ListView::总合)) << where;
}

TEST(FaultMatrix, EveryActionAgainstEveryFault) {
    const std::pair<const char*, Action> actions[] = {
        {"LoadGameList", catalogue::LoadGameList},
        {"LoadAreasAndCategories", catalogue::LoadAreasAndCategories},
        {"LoadServers", catalogue::LoadServers},
        {"QueryLatestDeals", deals::QueryLatestDeals},
        {"LoadHotGames", ranking::LoadHotGames},
        {"RankHotGames", ranking::RankHotGames},
    };
    for (const Fault& fault : Faults()) {
        for (const auto& [actionName, action] : actions) {
            const std::string where = std::string(actionName) + " / " + fault.name;
            ActionHarness h([&](const std::string&) { return std::string(); });
            LoopbackServer server(
                [&](const demo::HttpRequestSeen& r, Connection& c) { fault.serve(r.target, c); });
            h.timeout = 300ms;
            h.maxBodyBytes = kCap;
            h.PointAt(server.host());
            if (action == ranking::RankHotGames) ranking::PrepareRanking(h.controls);
            h.Run(action);
            ExpectPairsAligned(h.controls, where);
            const std::string status = Shown(h.controls.StatusBarText(0));
            if (fault.phrase != nullptr) {
                EXPECT_NE(status.find(fault.phrase), std::string::npos) << where << ": " << status;
            } else {
                // The page arrived: at most the deal query says it does not hold a deal list.
                EXPECT_TRUE(status.find("失败") == std::string::npos ||
                            status == "查询失败：页面格式无法识别")
                    << where << ": " << status;
            }
        }
    }
}

TEST(FaultMatrix, KeysThatAreNotGbkComeBackByteForByte) {
    auto h =
        ActionHarness::Serving(Gbk("请选择</option>") + "<option value=\"\xFF\x81 \x01\">\x81\x7F</option>x" +
                               Gbk("<option selected=\"selected\" value=\"-1\">请选择</option>"));
    h.Run(catalogue::LoadGameList);
    EXPECT_EQ(h.controls.Items(ListBox::游戏名1), (std::vector<Text>{"\xFF\x81 \x01"}));
    EXPECT_EQ(h.controls.Items(ListBox::游戏名), (std::vector<Text>{"\x81\x7F"}));
    EXPECT_EQ(Shown(h.controls.ListBoxItemText(ListBox::游戏名, 0)),
              "\xEF\xBF\xBD\x7F");  // shown with a replacement
}

}  // namespace
}  // namespace tavro::testing
