#include "controls/memory_controls.h"

#include <algorithm>

#include "controls/initial_texts.h"

namespace tavro::controls {
namespace {

template <typename Enum>
size_t At(Enum e) {
    return static_cast<size_t>(e);
}

}  // namespace

MemoryControls::MemoryControls() {
    buttons_.fill(true);
    edits_[At(EditBox::游戏全名搜索)] = InitialSearchText();
    status_ = InitialStatusText();
}

void MemoryControls::ListBoxAdd(ListBox box, const Text& text) {
    std::lock_guard lock(mutex_);
    boxes_[At(box)].items.push_back(text);
}

void MemoryControls::ListBoxClear(ListBox box) {
    std::lock_guard lock(mutex_);
    boxes_[At(box)].items.clear();
    boxes_[At(box)].current = kNoItem;
}

int MemoryControls::ListBoxCount(ListBox box) {
    std::lock_guard lock(mutex_);
    return static_cast<int>(boxes_[At(box)].items.size());
}

Text MemoryControls::ListBoxItemText(ListBox box, int index) {
    std::lock_guard lock(mutex_);
    const auto& items = boxes_[At(box)].items;
    if (index < 0 || static_cast<size_t>(index) >= items.size()) return {};
    return items[static_cast<size_t>(index)];
}

int MemoryControls::ListBoxSelectByText(ListBox box, const Text& text) {
    std::lock_guard lock(mutex_);
    auto& b = boxes_[At(box)];
    const auto found = std::find_if(b.items.begin(), b.items.end(), [&](const Text& item) {
        return scrape::StartsWithIgnoringCase(item, text);
    });
    if (found == b.items.end()) return kNoItem;
    b.current = static_cast<int>(found - b.items.begin());
    return b.current;
}

int MemoryControls::ListBoxCurrent(ListBox box) {
    std::lock_guard lock(mutex_);
    return boxes_[At(box)].current;
}

void MemoryControls::ListBoxSetCurrent(ListBox box, int index) {
    std::lock_guard lock(mutex_);
    auto& b = boxes_[At(box)];
    const int last = static_cast<int>(b.items.size()) - 1;
    b.current = index < 0 ? kNoItem : std::min(index, last);
}

void MemoryControls::SetEnabled(ListBox box, bool enabled) {
    std::lock_guard lock(mutex_);
    boxes_[At(box)].enabled = enabled;
}

bool MemoryControls::IsEnabled(ListBox box) {
    std::lock_guard lock(mutex_);
    return boxes_[At(box)].enabled;
}

void MemoryControls::ListViewInsert(ListView view, int position, const Text& title) {
    std::lock_guard lock(mutex_);
    auto& rows = views_[At(view)];
    const size_t at = position < 0 ? rows.size() : std::min(static_cast<size_t>(position), rows.size());
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), Row{title});
}

Text MemoryControls::ListViewItemText(ListView view, int row, int column) {
    std::lock_guard lock(mutex_);
    const auto& rows = views_[At(view)];
    if (row < 0 || static_cast<size_t>(row) >= rows.size() || column < 0) return {};
    const Row& r = rows[static_cast<size_t>(row)];
    return static_cast<size_t>(column) < r.size() ? r[static_cast<size_t>(column)] : Text();
}

void MemoryControls::ListViewSetItemText(ListView view, int row, int column, const Text& text) {
    std::lock_guard lock(mutex_);
    auto& rows = views_[At(view)];
    if (row < 0 || static_cast<size_t>(row) >= rows.size() || column < 0) return;
    Row& r = rows[static_cast<size_t>(row)];
    if (r.size() <= static_cast<size_t>(column)) r.resize(static_cast<size_t>(column) + 1);
    r[static_cast<size_t>(column)] = text;
}

int MemoryControls::ListViewCount(ListView view) {
    std::lock_guard lock(mutex_);
    return static_cast<int>(views_[At(view)].size());
}

void MemoryControls::ListViewClear(ListView view) {
    std::lock_guard lock(mutex_);
    views_[At(view)].clear();
}

void MemoryControls::SetCaption(Caption caption, const Text& text) {
    std::lock_guard lock(mutex_);
    captions_[At(caption)] = text;
}

Text MemoryControls::CaptionText(Caption caption) {
    std::lock_guard lock(mutex_);
    return captions_[At(caption)];
}

void MemoryControls::SetEditText(EditBox edit, const Text& text) {
    std::lock_guard lock(mutex_);
    edits_[At(edit)] = text;
}

Text MemoryControls::EditText(EditBox edit) {
    std::lock_guard lock(mutex_);
    return edits_[At(edit)];
}

void MemoryControls::SetEnabled(Button button, bool enabled) {
    std::lock_guard lock(mutex_);
    buttons_[At(button)] = enabled;
}

bool MemoryControls::IsEnabled(Button button) {
    std::lock_guard lock(mutex_);
    return buttons_[At(button)];
}

void MemoryControls::StatusBarSetText(int part, const Text& text) {
    if (part != 0) return;
    std::lock_guard lock(mutex_);
    status_ = text;
}

Text MemoryControls::StatusBarText(int part) {
    if (part != 0) return {};
    std::lock_guard lock(mutex_);
    return status_;
}

std::vector<Text> MemoryControls::Items(ListBox box) {
    std::lock_guard lock(mutex_);
    return boxes_[At(box)].items;
}

std::vector<std::vector<Text>> MemoryControls::Rows(ListView view) {
    std::lock_guard lock(mutex_);
    return {views_[At(view)].begin(), views_[At(view)].end()};
}

}  // namespace tavro::controls
