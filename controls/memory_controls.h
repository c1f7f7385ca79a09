#pragma once

#include <array>
#include <atomic>
#include <deque>
#include <mutex>
#include <vector>

#include "controls/controls.h"

namespace tavro::controls {

// The controls held in memory, for the actions' tests; safe to use from several threads.
class MemoryControls : public Controls {
  public:
    MemoryControls();

    void ListBoxAdd(ListBox box, const Text& text) override;
    void ListBoxClear(ListBox box) override;
    int ListBoxCount(ListBox box) override;
    Text ListBoxItemText(ListBox box, int index) override;
    int ListBoxSelectByText(ListBox box, const Text& text) override;
    int ListBoxCurrent(ListBox box) override;
    void ListBoxSetCurrent(ListBox box, int index) override;
    void SetEnabled(ListBox box, bool enabled) override;
    bool IsEnabled(ListBox box) override;

    void ListViewInsert(ListView view, int position, const Text& title) override;
    Text ListViewItemText(ListView view, int row, int column) override;
    void ListViewSetItemText(ListView view, int row, int column, const Text& text) override;
    int ListViewCount(ListView view) override;
    void ListViewClear(ListView view) override;

    void SetCaption(Caption caption, const Text& text) override;
    Text CaptionText(Caption caption) override;
    void SetEditText(EditBox edit, const Text& text) override;
    Text EditText(EditBox edit) override;
    void SetEnabled(Button button, bool enabled) override;
    bool IsEnabled(Button button) override;

    void StatusBarSetText(int part, const Text& text) override;
    Text StatusBarText(int part) override;
    void ProcessPendingEvents() override { ++pendingEventCalls_; }

    // For tests: whole contents at once.
    std::vector<Text> Items(ListBox box);
    std::vector<std::vector<Text>> Rows(ListView view);
    int pendingEventCalls() const { return pendingEventCalls_; }

  private:
    struct Box {
        std::vector<Text> items;
        int current = kNoItem;
        bool enabled = true;
    };
    using Row = std::vector<Text>;

    std::mutex mutex_;
    std::array<Box, kListBoxCount> boxes_;
    std::array<std::deque<Row>, kListViewCount> views_;  // inserting near the front stays cheap
    std::array<Text, kCaptionCount> captions_;
    std::array<Text, kEditBoxCount> edits_;
    std::array<bool, kButtonCount> buttons_;
    Text status_;
    std::atomic<int> pendingEventCalls_{0};
};

}  // namespace tavro::controls
