#pragma once

// The seam between the actions and the window: every control an action reads or writes,
// by its name in the window. The window implements it for the program; MemoryControls
// implements it for tests. Indices count from 0; texts are GBK bytes, given back exactly.

#include <vector>

#include "scrape/text.h"

namespace tavro::controls {

using scrape::Text;

enum class ListBox {
    游戏名,
    游戏名1,
    区,
    区1,
    服,
    服1,
    类别,
    类别1,
    定单,
    定单1,
    单价,
    热门游戏列表,
    热门游戏列表1,
    全局统计,
};
inline constexpr int kListBoxCount = static_cast<int>(ListBox::全局统计) + 1;

enum class ListView { 全局统计交易额, 超级列表框1, 总合 };
inline constexpr int kListViewCount = static_cast<int>(ListView::总合) + 1;

// Labels and the one group box whose caption an action sets.
enum class Caption { 标签1, 标签2, 状态, 分组框3 };
inline constexpr int kCaptionCount = static_cast<int>(Caption::分组框3) + 1;

enum class EditBox { 游戏全名搜索, 统计游戏 };
inline constexpr int kEditBoxCount = static_cast<int>(EditBox::统计游戏) + 1;

enum class Button { 成交量, 未成交, 游戏搜索, 按钮1, 按钮2 };
inline constexpr int kButtonCount = static_cast<int>(Button::按钮2) + 1;

inline constexpr int kNoItem = -1;
inline constexpr int kAppend = -1;  // a list view position that appends

class Controls {
  public:
    virtual ~Controls() = default;

    virtual void ListBoxAdd(ListBox box, const Text& text) = 0;
    virtual void ListBoxClear(ListBox box) = 0;
    virtual int ListBoxCount(ListBox box) = 0;
    // The empty text for -1 and for any index past the end.
    virtual Text ListBoxItemText(ListBox box, int index) = 0;
    // The first item that begins with `text`, ASCII letters folded; selects it and returns
    // its index, or returns -1 and leaves the selection as it was. Raises no event.
    virtual int ListBoxSelectByText(ListBox box, const Text& text) = 0;
    virtual int ListBoxCurrent(ListBox box) = 0;  // -1 for none
    // An index past the end selects the last item; -1 (or any negative) selects none.
    // A change made this way raises no item-selected event.
    virtual void ListBoxSetCurrent(ListBox box, int index) = 0;
    virtual void SetEnabled(ListBox box, bool enabled) = 0;
    virtual bool IsEnabled(ListBox box) = 0;

    // A position past the last row, or a negative one, appends.
    virtual void ListViewInsert(ListView view, int position, const Text& title) = 0;
    virtual Text ListViewItemText(ListView view, int row, int column) = 0;  // empty when absent
    virtual void ListViewSetItemText(ListView view, int row, int column, const Text& text) = 0;
    virtual int ListViewCount(ListView view) = 0;
    virtual void ListViewClear(ListView view) = 0;
    // Every row's cell of one column, in row order: the same as reading the rows one by one.
    virtual std::vector<Text> ListViewColumn(ListView view, int column) {
        std::vector<Text> cells;
        const int rows = ListViewCount(view);
        cells.reserve(static_cast<size_t>(rows > 0 ? rows : 0));
        for (int row = 0; row < rows; ++row)
            cells.push_back(ListViewItemText(view, row, column));
        return cells;
    }

    virtual void SetCaption(Caption caption, const Text& text) = 0;
    virtual Text CaptionText(Caption caption) = 0;
    virtual void SetEditText(EditBox edit, const Text& text) = 0;
    virtual Text EditText(EditBox edit) = 0;
    virtual void SetEnabled(Button button, bool enabled) = 0;
    virtual bool IsEnabled(Button button) = 0;

    // The window's status bar has one part; other parts are ignored.
    virtual void StatusBarSetText(int part, const Text& text) = 0;
    virtual Text StatusBarText(int part) = 0;

    // Called by the actions after each piece they walk: where a batch of changes may go to
    // the window, so lists grow visibly while a page is cut.
    virtual void ProcessPendingEvents() = 0;
    // Hands every change still held back to the window; called when an action ends.
    virtual void Flush() {}
};

// The selection rule of a paired list: `to` takes the index of `from`'s current item.
inline void FollowCurrent(Controls& controls, ListBox to, ListBox from) {
    controls.ListBoxSetCurrent(to, controls.ListBoxCurrent(from));
}

inline Text CurrentText(Controls& controls, ListBox box) {
    return controls.ListBoxItemText(box, controls.ListBoxCurrent(box));
}

}  // namespace tavro::controls
