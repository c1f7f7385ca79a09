// tavro-bench: how close the deal query and the ranking come to what the machine allows.
// Every figure is printed with its baseline, measured in the same run, as min / median over
// several repetitions. Run it offscreen: QT_QPA_PLATFORM=offscreen build/tavro-bench

#include <curl/curl.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "app/qt_controls.h"
#include "controls/memory_controls.h"
#include "deals/deals.h"
#include "demo/demo_site.h"
#include "net/http_session.h"
#include "ranking/ranking.h"

namespace {

using namespace tavro;
using Clock = std::chrono::steady_clock;
using controls::ListBox;
using controls::ListView;

constexpr int kDeals = 10000;
constexpr int kRepetitions = 5;
constexpr int kRankingRepetitions = 3;

struct Figure {
    double min = 0;
    double median = 0;
};

Figure Measure(int repetitions, const std::function<double()>& once) {
    std::vector<double> samples;
    for (int i = 0; i < repetitions; ++i)
        samples.push_back(once());
    std::sort(samples.begin(), samples.end());
    return {samples.front(), samples[samples.size() / 2]};
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

template <typename F>
double Time(F&& f) {
    const auto start = Clock::now();
    f();
    return Ms(Clock::now() - start);
}

void Print(const char* name, Figure figure, Figure baseline, const char* unit = "ms") {
    std::printf("%-15s %10.2f / %10.2f %s   baseline %10.2f / %10.2f %s   ratio %6.2f\n", name, figure.min,
                figure.median, unit, baseline.min, baseline.median, unit, figure.median / baseline.median);
}

// A memory figure of this process from /proc, in KiB ("VmRSS:" now, "VmHWM:" its peak).
long StatusKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + field.size());
    }
    return 0;
}

long PeakRssKb() {
    return StatusKb("VmHWM:");
}
long RssKb() {
    return StatusKb("VmRSS:");
}

void ResetPeakRss() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

size_t CurlFetch(const std::string& url) {
    CURL* curl = curl_easy_init();
    std::string body;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(
        curl, CURLOPT_WRITEFUNCTION, +[](char* d, size_t s, size_t n, void* u) {
            static_cast<std::string*>(u)->append(d, s * n);
            return s * n;
        });
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    return body.size();
}

void Pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The window's own event loop until `done`, so hand-overs are served the moment they arrive.
void RunLoopUntil(const std::function<bool()>& done) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done()) loop.quit();
    });
    poll.start(1);
    loop.exec();
}

// Runs one action in the window, pumping its events, and reports the longest gap between
// two ticks of a 10 ms timer on the window's thread meanwhile.
double RunInWindow(app::MainWindow& window, app::Action action, double* longestGapMs = nullptr) {
    QTimer timer;
    auto last = Clock::now();
    double longest = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const auto now = Clock::now();
        longest = std::max(longest, Ms(now - last));
        last = now;
    });
    timer.start(10);
    const double ms = Time([&] {
        window.runner().Start(action);
        RunLoopUntil([&] { return window.runner().running() == 0; });
    });
    if (longestGapMs) *longestGapMs = longest;
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    net::InitializeHttp();
    QApplication application(argc, argv);
    const std::string page = demo::GeneratedDealPage(kDeals, 7, "127.0.0.1");
    std::printf("page: %d deals, %.2f MB\n\n", kDeals, page.size() / 1e6);

    // scrape: the deal query's cutting work, no window and no network.
    const Figure memmemPass = Measure(kRepetitions * 4, [&] {
        return Time([&] {
            // The deal list's end marker stands at the very end: one pass over every byte.
            static constexpr char kEnd[] = "<div class=\"pagebox beta\">";
            const void* hit = memmem(page.data(), page.size(), kEnd, sizeof kEnd - 1);
            if (hit == nullptr) std::abort();
        });
    });
    const Figure scrape = Measure(kRepetitions, [&] {
        controls::MemoryControls memory;
        scrape::ScrapeWorkspace workspace;
        const net::SiteHosts site{"127.0.0.1", "127.0.0.1"};
        controls::ActionContext context{
            memory, workspace, site, [&](const scrape::Text&) { return net::FetchResult{page}; }, {}};
        return Time([&] { deals::QueryLatestDeals(context); });
    });
    Print("scrape", scrape, memmemPass);

    demo::DemoSite demoSite("127.0.0.1");
    demo::LoopbackServer listing([&](const demo::HttpRequestSeen&, demo::Connection& c) {
        c.Write(demo::LoopbackServer::Response(page));
    });
    const demo::DemoSite hotSite(listing.host());
    demo::LoopbackServer home([&](const demo::HttpRequestSeen&, demo::Connection& c) {
        c.Write(demo::LoopbackServer::Response(hotSite.HomePage()));
    });
    app::WindowConfig config;
    config.site = {listing.host(), home.host()};
    config.openInBrowser = [](const scrape::Text&) {};

    const long idleBefore = RssKb();
    app::MainWindow window(config);
    window.show();
    window.runner().WaitIdle(Pump);

    // fill: the four lists through the hand-over, against one direct fill of the same widgets.
    std::vector<scrape::Text> titles, links, prices, amounts;
    for (int i = 0; i < kDeals; ++i) {
        titles.push_back("title " + std::to_string(i));
        links.push_back("http://127.0.0.1/deal/" + std::to_string(i) + ".shtml");
        prices.push_back(std::to_string(i % 97) + ".50");
        amounts.push_back(std::to_string(i % 1000));
    }
    auto clearLists = [&] {
        auto& c = window.controls();
        c.ListBoxClear(ListBox::定单);
        c.ListBoxClear(ListBox::定单1);
        c.ListBoxClear(ListBox::单价);
        c.ListViewClear(ListView::总合);
        Pump();
    };
    const Figure directFill = Measure(kRepetitions, [&] {
        clearLists();
        return Time([&] {
            window.listBox(ListBox::定单)->items().Append(titles);
            window.listBox(ListBox::定单1)->items().Append(links);
            window.listBox(ListBox::单价)->items().Append(prices);
            window.listView(ListView::总合)->rows().Insert(1, amounts);
            Pump();
        });
    });
    const Figure fill = Measure(kRepetitions, [&] {
        clearLists();
        return Time([&] {
            std::atomic<bool> done{false};
            std::thread worker([&] {
                app::WindowControls c(window);
                for (int i = 0; i < kDeals; ++i) {
                    c.ListBoxAdd(ListBox::定单, titles[i]);
                    c.ProcessPendingEvents();
                }
                for (int i = 0; i < kDeals; ++i) {
                    c.ListBoxAdd(ListBox::定单1, links[i]);
                    c.ProcessPendingEvents();
                }
                for (int i = 0; i < kDeals; ++i) {
                    c.ListBoxAdd(ListBox::单价, prices[i]);
                    c.ProcessPendingEvents();
                }
                for (int i = 0; i < kDeals; ++i) {
                    c.ListViewInsert(ListView::总合, 1, amounts[i]);
                    c.ProcessPendingEvents();
                }
                c.Flush();
                done = true;
            });
            RunLoopUntil([&] { return done.load(); });
            worker.join();
            Pump();
        });
    });
    Print("fill", fill, directFill);

    // query: the whole action in the window against a loopback server.
    const std::string url = "http://" + listing.host() + "/list/viewlastestdeallist.aspx";
    const Figure fetchAlone = Measure(kRepetitions, [&] { return Time([&] { CurlFetch(url); }); });
    ResetPeakRss();
    const long before = RssKb();
    std::vector<double> gaps;
    const Figure query = Measure(kRepetitions, [&] {
        double gap = 0;
        const double ms = RunInWindow(window, app::Action::QueryLatestDeals, &gap);
        gaps.push_back(gap);
        return ms;
    });
    const long peak = PeakRssKb();
    const Figure queryBaseline{fetchAlone.min + memmemPass.min + directFill.min,
                               fetchAlone.median + memmemPass.median + directFill.median};
    Print("query", query, queryBaseline);

    // ranking: 20 hot games with 10000 deals each.
    RunInWindow(window, app::Action::LoadHotGames);
    const Figure ranking = Measure(kRankingRepetitions, [&] {
        ranking::PrepareRanking(window.controls());
        return RunInWindow(window, app::Action::RankHotGames);
    });
    Print("ranking", ranking, {20 * query.min, 20 * query.median});

    std::printf(
        "%-15s %10.2f MB above the process before the query (idle window %.1f MB)   page %.2f MB   ratio "
        "%6.2f\n",
        "memory", (peak - before) / 1024.0, (before - idleBefore) / 1024.0, page.size() / 1e6,
        (peak - before) * 1024.0 / static_cast<double>(page.size()));
    std::sort(gaps.begin(), gaps.end());
    std::printf("%-15s %10.2f / %10.2f ms longest gap between ticks of a 10 ms timer during the query\n",
                "responsiveness", gaps.front(), gaps[gaps.size() / 2]);
    std::fflush(stdout);
    std::_Exit(0);
}
