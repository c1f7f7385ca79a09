#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/action_thread.h"
#include "controls/memory_controls.h"
#include "demo/loopback_server.h"
#include "scrape/gbk.h"

namespace tavro::app {
namespace {

using controls::ListBox;
using demo::LoopbackServer;
using namespace std::chrono_literals;

std::string OneDeal(const std::string& title) {
    return scrape::Gbk("<li>成交时间</li><a href=\"http://d/1\" target=\"_blank\">" + title +
                       "</a></li><div class=\"pagebox beta\">");
}

ActionHost HostFor(controls::MemoryControls& memory, const std::string& host) {
    ActionHost actions;
    actions.site = {host, host};
    // Every run shares the one in-memory window, as every run shares the real one.
    actions.makeControls = [&memory](const RunToken&) {
        return std::shared_ptr<controls::Controls>(std::shared_ptr<controls::Controls>(), &memory);
    };
    return actions;
}

TEST(ActionRunner, ANewerRunSupersedesAnOlderOneStillWaiting) {
    std::atomic<int> requests{0};
    LoopbackServer server([&](const demo::HttpRequestSeen&, demo::Connection& c) {
        if (requests++ == 0) {
            // The first query hangs until its client gives up.
            while (!c.WaitForPeerClose(20)) {
            }
            return;
        }
        c.Write(LoopbackServer::Response(OneDeal("newer")));
    });
    controls::MemoryControls memory;
    {
        ActionRunner runner(HostFor(memory, server.host()));
        runner.Start(Action::QueryLatestDeals);
        while (requests == 0)
            std::this_thread::sleep_for(5ms);
        runner.Start(Action::QueryLatestDeals);
        runner.WaitIdle();
    }
    EXPECT_EQ(memory.Items(ListBox::定单), (std::vector<scrape::Text>{"newer"}));
    EXPECT_EQ(scrape::DecodeGbk(memory.CaptionText(controls::Caption::状态)), "查询完毕！");
}

TEST(ActionRunner, RunsOfOneLaneTakeTurns) {
    std::atomic<int> inside{0};
    std::atomic<int> most{0};
    controls::MemoryControls memory;
    ActionHost host = HostFor(memory, "127.0.0.1:1");
    host.body = [&](Action, controls::ActionContext& context) {
        const int now = ++inside;
        most = std::max(most.load(), now);
        for (int i = 0; i < 50; ++i) {
            context.controls.ListBoxAdd(ListBox::服, "x");
            std::this_thread::sleep_for(100us);
        }
        --inside;
    };
    ActionRunner runner(std::move(host));
    runner.Start(Action::LoadAreasAndCategories);
    runner.Start(Action::LoadServers);  // same lists: waits for its turn
    runner.WaitIdle();
    EXPECT_EQ(most, 1);
    EXPECT_EQ(memory.ListBoxCount(ListBox::服), 100);
}

TEST(ActionRunner, ClosingEndsRunsThatWaitForTheNetwork) {
    LoopbackServer server([](const demo::HttpRequestSeen&, demo::Connection& c) {
        while (!c.WaitForPeerClose(20)) {
        }
    });
    controls::MemoryControls memory;
    std::atomic<int> started{0};
    {
        ActionRunner runner(HostFor(memory, server.host()));
        for (int i = 0; i < 3; ++i)
            runner.Start(Action::LoadHotGames);
        runner.Start(Action::LoadGameList);
        runner.Start(Action::QueryLatestDeals);
        while (server.requests().size() < 3)
            std::this_thread::sleep_for(5ms);
        started = runner.running();
    }  // returns once every run has given up, far before any time-out
    EXPECT_GE(started, 3);
    EXPECT_EQ(memory.ListBoxCount(ListBox::游戏名), 0);
}

}  // namespace
}  // namespace tavro::app
