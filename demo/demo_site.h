#pragma once

// The demo trading site: deterministic GBK pages of exactly the shapes the program reads,
// for the demo program and the end-to-end tests.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "demo/loopback_server.h"

namespace tavro::demo {

struct DemoGame {
    std::string name;  // UTF-8
    std::string key;
};

class DemoSite {
  public:
    // `listingHost` is what the pages name in their links (the hot games' keys are cut after it).
    explicit DemoSite(std::string listingHost, int gameCount = kGameCount);

    static constexpr int kGameCount = 36;
    static constexpr int kHotGameCount = 20;
    static constexpr int kFailingHotGame = 6;  // its ranking page answers with a server error
    static constexpr int kLargeDealCount = 10000;

    const std::vector<DemoGame>& games() const { return games_; }

    // The response (status line, headers, body) for a request target such as "/list/...?gm=..".
    std::string Respond(const std::string& target) const;
    LoopbackServer::Handler Handler() const;

    // Pages by themselves (GBK), for tests and benchmarks.
    std::string DealListPage(const std::map<std::string, std::string>& query) const;
    std::string HomePage() const;
    // The deals a selection has: the first game's first area, first server and any category
    // has kLargeDealCount, the others a few dozen to a few hundred.
    int DealCount(const std::string& game, const std::string& area, const std::string& server,
                  const std::string& category) const;

    static std::map<std::string, std::string> ParseQuery(const std::string& target);

  private:
    std::string listingHost_;
    std::vector<DemoGame> games_;
};

// A deal list page of `count` generated rows, in the site's shape (GBK), for tests and benchmarks.
std::string GeneratedDealPage(int count, uint32_t seed, const std::string& listingHost);

}  // namespace tavro::demo
