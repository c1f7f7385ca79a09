#include "app/action_thread.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

#include "catalogue/catalogue.h"
#include "deals/deals.h"
#include "net/http_session.h"
#include "ranking/ranking.h"

namespace tavro::app {
namespace {

using controls::ActionContext;
using controls::Controls;
using scrape::Text;

constexpr int kActionCount = static_cast<int>(Action::RankHotGames) + 1;

enum class Lane { Games, Catalogue, Deals, Hot, None };
constexpr int kLaneCount = static_cast<int>(Lane::None);

Lane LaneOf(Action action) {
    switch (action) {
        case Action::LoadGameList:
            return Lane::Games;
        case Action::LoadAreasAndCategories:
        case Action::LoadServers:
            return Lane::Catalogue;
        case Action::QueryLatestDeals:
            return Lane::Deals;
        case Action::LoadHotGames:
        case Action::RankHotGames:
            return Lane::Hot;
        case Action::OpenUnsoldSearch:
            return Lane::None;  // fills no list: any number may run
    }
    return Lane::None;
}

// A new game's areas make the servers of the old game's area worthless too.
std::vector<Action> Supersedes(Action action) {
    if (action == Action::OpenUnsoldSearch) return {};
    if (action == Action::LoadAreasAndCategories) return {action, Action::LoadServers};
    return {action};
}

// Every operation first checks that the run is still wanted.
class GuardedControls final : public Controls {
  public:
    GuardedControls(std::shared_ptr<Controls> inner, const RunToken& token)
        : inner_(std::move(inner)), token_(token) {}

    void ListBoxAdd(controls::ListBox b, const Text& t) override { Check().ListBoxAdd(b, t); }
    void ListBoxClear(controls::ListBox b) override { Check().ListBoxClear(b); }
    int ListBoxCount(controls::ListBox b) override { return Check().ListBoxCount(b); }
    Text ListBoxItemText(controls::ListBox b, int i) override { return Check().ListBoxItemText(b, i); }
    int ListBoxSelectByText(controls::ListBox b, const Text& t) override {
        return Check().ListBoxSelectByText(b, t);
    }
    int ListBoxCurrent(controls::ListBox b) override { return Check().ListBoxCurrent(b); }
    void ListBoxSetCurrent(controls::ListBox b, int i) override { Check().ListBoxSetCurrent(b, i); }
    void SetEnabled(controls::ListBox b, bool e) override { Check().SetEnabled(b, e); }
    bool IsEnabled(controls::ListBox b) override { return Check().IsEnabled(b); }
    void ListViewInsert(controls::ListView v, int p, const Text& t) override {
        Check().ListViewInsert(v, p, t);
    }
    Text ListViewItemText(controls::ListView v, int r, int c) override {
        return Check().ListViewItemText(v, r, c);
    }
    void ListViewSetItemText(controls::ListView v, int r, int c, const Text& t) override {
        Check().ListViewSetItemText(v, r, c, t);
    }
    int ListViewCount(controls::ListView v) override { return Check().ListViewCount(v); }
    void ListViewClear(controls::ListView v) override { Check().ListViewClear(v); }
    std::vector<Text> ListViewColumn(controls::ListView v, int c) override {
        return Check().ListViewColumn(v, c);
    }
    void SetCaption(controls::Caption c, const Text& t) override { Check().SetCaption(c, t); }
    Text CaptionText(controls::Caption c) override { return Check().CaptionText(c); }
    void SetEditText(controls::EditBox e, const Text& t) override { Check().SetEditText(e, t); }
    Text EditText(controls::EditBox e) override { return Check().EditText(e); }
    void SetEnabled(controls::Button b, bool e) override { Check().SetEnabled(b, e); }
    bool IsEnabled(controls::Button b) override { return Check().IsEnabled(b); }
    void StatusBarSetText(int p, const Text& t) override { Check().StatusBarSetText(p, t); }
    Text StatusBarText(int p) override { return Check().StatusBarText(p); }
    void ProcessPendingEvents() override { Check().ProcessPendingEvents(); }
    void Flush() override { Check().Flush(); }

  private:
    Controls& Check() {
        if (token_.Stale()) throw controls::Superseded{};
        return *inner_;
    }

    std::shared_ptr<Controls> inner_;
    const RunToken& token_;
};

}  // namespace

struct ActionRunner::State {
    ActionHost host;
    std::array<std::atomic<uint64_t>, kActionCount> generations{};
    std::array<std::mutex, kLaneCount> lanes;
    std::atomic<bool> stopping{false};
    std::mutex mutex;
    std::condition_variable idle;
    int running = 0;
};

namespace {

class Token final : public RunToken {
  public:
    Token(const ActionRunner::State& state, Action action, uint64_t generation)
        : state_(state), action_(action), generation_(generation) {}
    bool Stale() const override {
        return state_.stopping || state_.generations[static_cast<size_t>(action_)] != generation_;
    }

  private:
    const ActionRunner::State& state_;
    Action action_;
    uint64_t generation_;
};

void RunOnce(ActionRunner::State& state, Action action, uint64_t generation) {
    const Token token(state, action, generation);
    std::optional<std::unique_lock<std::mutex>> turn;
    const Lane lane = LaneOf(action);
    if (lane != Lane::None) turn.emplace(state.lanes[static_cast<size_t>(lane)]);
    if (token.Stale()) return;

    try {
        GuardedControls controls(state.host.makeControls(token), token);
        scrape::ScrapeWorkspace workspace;
        net::FetchLimits limits = state.host.limits;
        limits.abort = [&token] { return token.Stale(); };
        ActionContext context{controls, workspace, state.host.site,
                              [limits](const Text& url) { return net::FetchPage(url, {}, limits); },
                              state.host.openInBrowser};
        if (state.host.body) {
            state.host.body(action, context);
        } else {
            RunAction(action, context);
        }
        controls.Flush();
    } catch (const controls::Superseded&) {
        // A newer run took over, or the window is closing: nothing of this run is wanted.
    } catch (const std::exception&) {
        // Out of memory or a broken control: the run ends, the window goes on.
    }
}

}  // namespace

void RunAction(Action action, ActionContext& context) {
    switch (action) {
        case Action::LoadGameList:
            return catalogue::LoadGameList(context);
        case Action::LoadAreasAndCategories:
            return catalogue::LoadAreasAndCategories(context);
        case Action::LoadServers:
            return catalogue::LoadServers(context);
        case Action::QueryLatestDeals:
            return deals::QueryLatestDeals(context);
        case Action::OpenUnsoldSearch:
            return deals::OpenUnsoldSearch(context);
        case Action::LoadHotGames:
            return ranking::LoadHotGames(context);
        case Action::RankHotGames:
            return ranking::RankHotGames(context);
    }
}

ActionRunner::ActionRunner(ActionHost host) : state_(std::make_shared<State>()) {
    state_->host = std::move(host);
    net::InitializeHttp();
}

ActionRunner::~ActionRunner() {
    state_->stopping = true;
    WaitIdle(pump_);
}

void ActionRunner::Start(Action action) {
    if (state_->stopping) return;
    for (const Action older : Supersedes(action))
        ++state_->generations[static_cast<size_t>(older)];
    const uint64_t generation = state_->generations[static_cast<size_t>(action)];
    {
        std::lock_guard lock(state_->mutex);
        ++state_->running;
    }
    // The state outlives the runner while a thread still holds it.
    auto finish = [state = state_, action, generation] {
        RunOnce(*state, action, generation);
        std::lock_guard lock(state->mutex);
        --state->running;
        state->idle.notify_all();
    };
    try {
        std::thread(std::move(finish)).detach();
    } catch (const std::system_error&) {
        // No thread could be made: the action simply does not run.
        std::lock_guard lock(state_->mutex);
        --state_->running;
    }
}

void ActionRunner::WaitIdle(const std::function<void()>& pump) {
    std::unique_lock lock(state_->mutex);
    while (state_->running > 0) {
        if (pump) {
            lock.unlock();
            pump();
            lock.lock();
            state_->idle.wait_for(lock, std::chrono::milliseconds(5));
        } else {
            state_->idle.wait(lock);
        }
    }
}

int ActionRunner::running() const {
    std::lock_guard lock(state_->mutex);
    return state_->running;
}

void ActionRunner::SetShutdownPump(std::function<void()> pump) {
    pump_ = std::move(pump);
}

}  // namespace tavro::app
