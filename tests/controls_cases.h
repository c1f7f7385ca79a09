#pragma once

// One table of cases for the controls interface, run against the in-memory controls, the
// window on its own thread, and the window through the hand-over from a worker thread.
// Each case starts from a window or memory whose lists are empty; "" means it passed.

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "controls/controls.h"

namespace tavro::testing {

struct ControlsCase {
    const char* name;
    std::function<std::string(controls::Controls&)> run;
};

namespace cases_detail {

using controls::ListBox;
using controls::ListView;
using scrape::Text;

template <typename A, typename B>
std::string Expect(const A& actual, const B& expected, const char* what) {
    if (actual == expected) return {};
    std::ostringstream out;
    out << what << ": got [" << actual << "] expected [" << expected << "]";
    return out.str();
}

inline std::string All(std::initializer_list<std::string> results) {
    for (const auto& r : results) {
        if (!r.empty()) return r;
    }
    return {};
}

inline void Fill(controls::Controls& c, ListBox box, std::initializer_list<const char*> items) {
    for (const char* item : items)
        c.ListBoxAdd(box, item);
}

inline std::string Rows(controls::Controls& c, ListView view) {
    std::string joined;
    for (int row = 0; row < c.ListViewCount(view); ++row)
        joined += c.ListViewItemText(view, row, 0) + ",";
    return joined;
}

}  // namespace cases_detail

inline std::vector<ControlsCase> ControlsCases() {
    using namespace cases_detail;
    return {
        {"items read back by index, nothing outside",
         [](controls::Controls& c) {
             Fill(c, ListBox::游戏名, {"a", "b"});
             return All({Expect(c.ListBoxCount(ListBox::游戏名), 2, "count"),
                         Expect(c.ListBoxItemText(ListBox::游戏名, 1), "b", "item 1"),
                         Expect(c.ListBoxItemText(ListBox::游戏名, -1), "", "item -1"),
                         Expect(c.ListBoxItemText(ListBox::游戏名, 2), "", "item at the count")});
         }},
        {"bytes that are not GBK come back unchanged",
         [](controls::Controls& c) {
             const Text odd = "\xFF\x80x\x81\x20\xB0";
             c.ListBoxAdd(ListBox::定单1, odd);
             c.ListViewInsert(ListView::总合, controls::kAppend, odd);
             c.SetCaption(controls::Caption::标签1, odd);
             c.StatusBarSetText(0, odd);
             return All({Expect(c.ListBoxItemText(ListBox::定单1, 0), odd, "list box"),
                         Expect(c.ListViewItemText(ListView::总合, 0, 0), odd, "list view"),
                         Expect(c.CaptionText(controls::Caption::标签1), odd, "label"),
                         Expect(c.StatusBarText(0), odd, "status bar")});
         }},
        {"the current item: clamped to the last, -1 for none",
         [](controls::Controls& c) {
             Fill(c, ListBox::区1, {"a", "b", "c"});
             const int none = c.ListBoxCurrent(ListBox::区1);
             c.ListBoxSetCurrent(ListBox::区1, 10);
             const int clamped = c.ListBoxCurrent(ListBox::区1);
             c.ListBoxSetCurrent(ListBox::区1, -1);
             const int cleared = c.ListBoxCurrent(ListBox::区1);
             c.ListBoxSetCurrent(ListBox::服1, 0);
             return All({Expect(none, -1, "at first"), Expect(clamped, 2, "past the end"),
                         Expect(cleared, -1, "minus one"),
                         Expect(c.ListBoxCurrent(ListBox::服1), -1, "empty list")});
         }},
        {"the selection rule copies the index",
         [](controls::Controls& c) {
             Fill(c, ListBox::区, {"a", "b", "c"});
             Fill(c, ListBox::区1, {"ka", "kb"});
             c.ListBoxSetCurrent(ListBox::区, 2);
             controls::FollowCurrent(c, ListBox::区1, ListBox::区);
             return All({Expect(c.ListBoxCurrent(ListBox::区1), 1, "shorter twin: its last item"),
                         Expect(controls::CurrentText(c, ListBox::区1), "kb", "current text")});
         }},
        {"clearing empties and deselects",
         [](controls::Controls& c) {
             Fill(c, ListBox::类别, {"a", "b"});
             c.ListBoxSetCurrent(ListBox::类别, 1);
             c.ListBoxClear(ListBox::类别);
             return All({Expect(c.ListBoxCount(ListBox::类别), 0, "count"),
                         Expect(c.ListBoxCurrent(ListBox::类别), -1, "current")});
         }},
        {"select by text: first item beginning with it, any ASCII case",
         [](controls::Controls& c) {
             Fill(c, ListBox::游戏名, {"Alpha", "dragon one", "Dragon two"});
             const int found = c.ListBoxSelectByText(ListBox::游戏名, "DRAG");
             const int missing = c.ListBoxSelectByText(ListBox::游戏名, "zzz");
             return All({Expect(found, 1, "found"), Expect(missing, -1, "missing"),
                         Expect(c.ListBoxCurrent(ListBox::游戏名), 1, "selection kept after a miss")});
         }},
        {"list view: position 1 gives first, last, ..., second; past the end appends",
         [](controls::Controls& c) {
             for (const char* a : {"a1", "a2", "a3", "a4"})
                 c.ListViewInsert(ListView::总合, 1, a);
             c.ListViewInsert(ListView::超级列表框1, 5, "x");
             c.ListViewInsert(ListView::超级列表框1, controls::kAppend, "y");
             c.ListViewInsert(ListView::超级列表框1, 0, "w");
             return All({Expect(Rows(c, ListView::总合), "a1,a4,a3,a2,", "at 1"),
                         Expect(Rows(c, ListView::超级列表框1), "w,x,y,", "append and front"),
                         Expect(c.ListViewItemText(ListView::总合, 4, 0), "", "row at the count")});
         }},
        {"list view cells and the column read",
         [](controls::Controls& c) {
             c.ListViewInsert(ListView::全局统计交易额, controls::kAppend, "g1");
             c.ListViewInsert(ListView::全局统计交易额, controls::kAppend, "g2");
             c.ListViewSetItemText(ListView::全局统计交易额, 1, 1, "42");
             const std::vector<Text> column = c.ListViewColumn(ListView::全局统计交易额, 1);
             c.ListViewClear(ListView::全局统计交易额);
             return All({Expect(column.size(), 2u, "column rows"), Expect(column.at(0), "", "unset cell"),
                         Expect(column.at(1), "42", "set cell"),
                         Expect(c.ListViewCount(ListView::全局统计交易额), 0, "cleared")});
         }},
        {"captions, edit boxes, status bar and enabled states",
         [](controls::Controls& c) {
             c.SetCaption(controls::Caption::分组框3, "caption");
             c.SetEditText(controls::EditBox::统计游戏, "20");
             c.StatusBarSetText(0, "status");
             c.StatusBarSetText(1, "ignored");
             c.SetEnabled(controls::Button::按钮1, false);
             c.SetEnabled(ListBox::全局统计, false);
             const bool button = c.IsEnabled(controls::Button::按钮1);
             const bool list = c.IsEnabled(ListBox::全局统计);
             c.SetEnabled(controls::Button::按钮1, true);
             c.SetEnabled(ListBox::全局统计, true);
             return All({Expect(c.CaptionText(controls::Caption::分组框3), "caption", "group box"),
                         Expect(c.EditText(controls::EditBox::统计游戏), "20", "edit box"),
                         Expect(c.StatusBarText(0), "status", "status part 0"),
                         Expect(c.StatusBarText(1), "", "status part 1"), Expect(button, false, "button"),
                         Expect(list, false, "list box"),
                         Expect(c.IsEnabled(controls::Button::按钮1), true, "again")});
         }},
    };
}

}  // namespace tavro::testing
