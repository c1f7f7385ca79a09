#pragma once

// Runs each action on a worker thread of its own, never waited for by the window.
//
// Overlapping runs are kept apart here: every run gets its own ScrapeWorkspace, so no run
// reads another's page or pieces; runs that fill the same lists share a lane and take turns,
// so their items never interleave; and starting an action makes older runs of it (and of
// the actions whose lists it replaces) stale: they stop at their next control operation or
// while they wait for the network, so the newest run's results are the ones that stay.

#include <functional>
#include <memory>

#include "controls/action_context.h"

namespace tavro::app {

enum class Action {
    LoadGameList,
    LoadAreasAndCategories,
    LoadServers,
    QueryLatestDeals,
    OpenUnsoldSearch,
    LoadHotGames,
    RankHotGames,
};

class RunToken {
  public:
    virtual ~RunToken() = default;
    virtual bool Stale() const = 0;
};

struct ActionHost {
    // Controls for one run, used from its worker thread only.
    std::function<std::shared_ptr<controls::Controls>(const RunToken&)> makeControls;
    std::function<void(const scrape::Text& url)> openInBrowser;
    net::SiteHosts site = net::kTavroSite;
    net::FetchLimits limits;
    // Replaces an action's body (tests of the threading itself); empty: the real actions.
    std::function<void(Action, controls::ActionContext&)> body;
};

class ActionRunner {
  public:
    explicit ActionRunner(ActionHost host);
    // Makes every run stale and waits for them to end, calling `pump` meanwhile so runs
    // blocked in a hand-over to the caller's thread can finish it.
    ~ActionRunner();
    ActionRunner(const ActionRunner&) = delete;
    ActionRunner& operator=(const ActionRunner&) = delete;

    // Starts one ActionThread for the action and returns at once; the run reports only
    // through the controls.
    void Start(Action action);  //; the run reports only through the controls
    // For tests and shutdown: waits until no run is left, calling `pump` between checks.
    void WaitIdle(const std::function<void()>& pump = {});
    int running() const;
    // What the destructor calls while it waits (the window processes its events).
    void SetShutdownPump(std::function<void()> pump);

    struct State;

  private:
    std::shared_ptr<State> state_;
    std::function<void()> pump_;
};

void RunAction(Action action, controls::ActionContext& context);

}  // namespace tavro::app
