#pragma once

// One action run against the in-memory controls and a loopback server that serves fixture
// pages by path (or fails), recording every request and every URL handed to the browser.

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "controls/action_context.h"
#include "controls/memory_controls.h"
#include "demo/loopback_server.h"
#include "net/http_session.h"
#include "scrape/gbk.h"

namespace tavro::testing {

using scrape::Gbk;
using scrape::Text;

class ActionHarness {
  public:
    // `respond` gets the request target and answers with a whole HTTP response.
    explicit ActionHarness(std::function<std::string(const std::string& target)> respond)
        : respond_(std::move(respond)),
          server_(
              [this](const demo::HttpRequestSeen& r, demo::Connection& c) { c.Write(respond_(r.target)); }),
          site_{server_.host(), server_.host()} {
        net::InitializeHttp();
    }

    // Every request answered with `page` (GBK).
    static ActionHarness Serving(const std::string& page) {
        return ActionHarness([page](const std::string&) { return demo::LoopbackServer::Response(page); });
    }

    void Run(void (*action)(controls::ActionContext&)) {
        lastWorkspace = std::make_unique<scrape::ScrapeWorkspace>();
        scrape::ScrapeWorkspace& workspace = *lastWorkspace;
        net::FetchLimits limits;
        limits.connectTimeout = limits.receiveTimeout = limits.sendTimeout = timeout;
        limits.maxBodyBytes = maxBodyBytes;
        controls::ActionContext context{controls, workspace, site_,
                                        [limits](const Text& url) { return net::FetchPage(url, {}, limits); },
                                        [this](const Text& url) {
                                            std::lock_guard lock(mutex_);
                                            opened_.push_back(url);
                                        }};
        action(context);
    }

    // Sends the actions to another server instead.
    void PointAt(const std::string& host) { site_ = {host, host}; }

    std::vector<std::string> targets() const {
        std::vector<std::string> out;
        for (const auto& r : server_.requests())
            out.push_back(r.target);
        return out;
    }
    std::vector<Text> opened() {
        std::lock_guard lock(mutex_);
        return opened_;
    }
    const net::SiteHosts& site() const { return site_; }
    std::string host() const { return server_.host(); }

    controls::MemoryControls controls;
    std::chrono::milliseconds timeout{2000};
    size_t maxBodyBytes = net::kMaxBodyBytes;
    std::unique_ptr<scrape::ScrapeWorkspace> lastWorkspace;

  private:
    std::function<std::string(const std::string&)> respond_;
    demo::LoopbackServer server_;
    net::SiteHosts site_;
    std::mutex mutex_;
    std::vector<Text> opened_;
};

// GBK items as UTF-8, so a failing comparison prints readable Chinese.
inline std::vector<std::string> Shown(const std::vector<Text>& items) {
    std::vector<std::string> out;
    for (const auto& item : items)
        out.push_back(scrape::DecodeGbk(item));
    return out;
}

inline std::string Shown(const Text& text) {
    return scrape::DecodeGbk(text);
}

}  // namespace tavro::testing
