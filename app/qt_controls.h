#pragma once

// The controls interface over the real window. DirectControls works on the widgets and is
// used on the window's thread; WindowControls is what an action's worker thread gets: it
// carries every change to the window's thread and waits until it is done, gathering the
// changes of a walk into batches so a 10000-item list fills in milliseconds, not minutes.

#include <atomic>
#include <chrono>
#include <functional>
#include <vector>

#include "controls/controls.h"

namespace tavro::app {

class MainWindow;
using scrape::Text;

struct ControlChange {
    enum class Kind {
        ListBoxAdd,
        ListBoxClear,
        ListBoxSetCurrent,
        ListBoxEnable,
        ListViewInsert,
        ListViewSetItemText,
        ListViewClear,
        SetCaption,
        SetEditText,
        ButtonEnable,
        StatusBarSetText,
    };
    Kind kind;
    int target = 0;
    int a = 0;
    int b = 0;
    scrape::Text text;
};

class DirectControls final : public controls::Controls {
  public:
    explicit DirectControls(MainWindow& window) : window_(window) {}

    void ListBoxAdd(controls::ListBox box, const Text& text) override;
    void ListBoxClear(controls::ListBox box) override;
    int ListBoxCount(controls::ListBox box) override;
    Text ListBoxItemText(controls::ListBox box, int index) override;
    int ListBoxSelectByText(controls::ListBox box, const Text& text) override;
    int ListBoxCurrent(controls::ListBox box) override;
    void ListBoxSetCurrent(controls::ListBox box, int index) override;
    void SetEnabled(controls::ListBox box, bool enabled) override;
    bool IsEnabled(controls::ListBox box) override;
    void ListViewInsert(controls::ListView view, int position, const Text& title) override;
    Text ListViewItemText(controls::ListView view, int row, int column) override;
    void ListViewSetItemText(controls::ListView view, int row, int column, const Text& text) override;
    int ListViewCount(controls::ListView view) override;
    void ListViewClear(controls::ListView view) override;
    std::vector<Text> ListViewColumn(controls::ListView view, int column) override;
    void SetCaption(controls::Caption caption, const Text& text) override;
    Text CaptionText(controls::Caption caption) override;
    void SetEditText(controls::EditBox edit, const Text& text) override;
    Text EditText(controls::EditBox edit) override;
    void SetEnabled(controls::Button button, bool enabled) override;
    bool IsEnabled(controls::Button button) override;
    void StatusBarSetText(int part, const Text& text) override;
    Text StatusBarText(int part) override;
    void ProcessPendingEvents() override {}

    // Carries out a batch in order; runs of additions to one list become one change.
    void Apply(std::vector<ControlChange>& changes);

  private:
    MainWindow& window_;
};

class WindowControls final : public controls::Controls {
  public:
    explicit WindowControls(MainWindow& window);
    ~WindowControls() override;

    void ListBoxAdd(controls::ListBox box, const Text& text) override;
    void ListBoxClear(controls::ListBox box) override;
    int ListBoxCount(controls::ListBox box) override;
    Text ListBoxItemText(controls::ListBox box, int index) override;
    int ListBoxSelectByText(controls::ListBox box, const Text& text) override;
    int ListBoxCurrent(controls::ListBox box) override;
    void ListBoxSetCurrent(controls::ListBox box, int index) override;
    void SetEnabled(controls::ListBox box, bool enabled) override;
    bool IsEnabled(controls::ListBox box) override;
    void ListViewInsert(controls::ListView view, int position, const Text& title) override;
    Text ListViewItemText(controls::ListView view, int row, int column) override;
    void ListViewSetItemText(controls::ListView view, int row, int column, const Text& text) override;
    int ListViewCount(controls::ListView view) override;
    void ListViewClear(controls::ListView view) override;
    std::vector<Text> ListViewColumn(controls::ListView view, int column) override;
    void SetCaption(controls::Caption caption, const Text& text) override;
    Text CaptionText(controls::Caption caption) override;
    void SetEditText(controls::EditBox edit, const Text& text) override;
    Text EditText(controls::EditBox edit) override;
    void SetEnabled(controls::Button button, bool enabled) override;
    bool IsEnabled(controls::Button button) override;
    void StatusBarSetText(int part, const Text& text) override;
    Text StatusBarText(int part) override;
    void ProcessPendingEvents() override;
    void Flush() override;

    // Changes held before a hand-over, and the longest they wait: the lists still grow
    // visibly (about 25 times a second) while each hand-over carries many items.
    static constexpr size_t kBatchChanges = 8192;
    static constexpr std::chrono::milliseconds kBatchDelay{40};

  private:
    void Queue(ControlChange change);
    // Hands the held changes and then `read` (if any) to the window's thread in one go.
    void HandOver(const std::function<void(DirectControls&)>& read = {});

    MainWindow* window_;  // outlives every run: the window waits for them before it goes
    std::vector<ControlChange> pending_;
    std::atomic<unsigned> handedOver_{0};
    std::chrono::steady_clock::time_point lastHandOver_;
};

}  // namespace tavro::app
