#include "app/qt_controls.h"

#include <QMetaObject>
#include <QThread>

#include "app/display.h"
#include "app/main_window.h"
#include "controls/report.h"

namespace tavro::app {
namespace {

using controls::Button;
using controls::Caption;
using controls::EditBox;
using controls::ListBox;
using controls::ListView;
using Kind = ControlChange::Kind;
using scrape::Text;

constexpr char kBytesProperty[] = "tavroBytes";

// A widget's text as bytes: what was set, unless the user changed it since.
template <typename Widget>
Text BytesOf(const Widget& widget) {
    const QVariant stored = widget.property(kBytesProperty);
    if (stored.isValid()) {
        const Text bytes = stored.toByteArray().toStdString();
        if (widget.text() == Display(bytes)) return bytes;
    }
    return FromDisplay(widget.text());
}

template <typename Widget>
void SetBytes(Widget& widget, const Text& text) {
    widget.setProperty(kBytesProperty, QByteArray::fromStdString(text));
    widget.setText(Display(text));
}

int Index(auto e) {
    return static_cast<int>(e);
}

}  // namespace

void DirectControls::ListBoxAdd(ListBox box, const Text& text) {
    window_.listBox(box)->items().Append({text});
}

void DirectControls::ListBoxClear(ListBox box) {
    window_.listBox(box)->SetCurrentRow(controls::kNoItem);
    window_.listBox(box)->items().Clear();
}

int DirectControls::ListBoxCount(ListBox box) {
    return window_.listBox(box)->items().count();
}

Text DirectControls::ListBoxItemText(ListBox box, int index) {
    auto& items = window_.listBox(box)->items();
    if (index < 0 || index >= items.count()) return {};
    return items.text(index);
}

int DirectControls::ListBoxSelectByText(ListBox box, const Text& text) {
    auto* list = window_.listBox(box);
    for (int row = 0; row < list->items().count(); ++row) {
        if (scrape::StartsWithIgnoringCase(list->items().text(row), text)) {
            list->SetCurrentRow(row);
            return row;
        }
    }
    return controls::kNoItem;
}

int DirectControls::ListBoxCurrent(ListBox box) {
    return window_.listBox(box)->CurrentRow();
}

void DirectControls::ListBoxSetCurrent(ListBox box, int index) {
    window_.listBox(box)->SetCurrentRow(index);
}

void DirectControls::SetEnabled(ListBox box, bool enabled) {
    window_.listBox(box)->setEnabled(enabled);
}

bool DirectControls::IsEnabled(ListBox box) {
    return window_.listBox(box)->isEnabled();
}

void DirectControls::ListViewInsert(ListView view, int position, const Text& title) {
    window_.listView(view)->rows().Insert(position, {title});
}

Text DirectControls::ListViewItemText(ListView view, int row, int column) {
    return window_.listView(view)->rows().cell(row, column);
}

void DirectControls::ListViewSetItemText(ListView view, int row, int column, const Text& text) {
    window_.listView(view)->rows().SetCell(row, column, text);
}

int DirectControls::ListViewCount(ListView view) {
    return window_.listView(view)->rows().count();
}

void DirectControls::ListViewClear(ListView view) {
    window_.listView(view)->rows().Clear();
}

std::vector<Text> DirectControls::ListViewColumn(ListView view, int column) {
    const RowsModel& rows = window_.listView(view)->rows();
    std::vector<Text> cells;
    cells.reserve(static_cast<size_t>(rows.count()));
    for (int row = 0; row < rows.count(); ++row)
        cells.push_back(rows.cell(row, column));
    return cells;
}

void DirectControls::SetCaption(Caption caption, const Text& text) {
    if (caption == Caption::分组框3) {
        window_.dealGroup()->setProperty(kBytesProperty, QByteArray::fromStdString(text));
        window_.dealGroup()->setTitle(Display(text));
        return;
    }
    SetBytes(*window_.captionLabel(caption), text);
}

Text DirectControls::CaptionText(Caption caption) {
    if (caption == Caption::分组框3) {
        const QVariant stored = window_.dealGroup()->property(kBytesProperty);
        return stored.isValid() ? stored.toByteArray().toStdString()
                                : FromDisplay(window_.dealGroup()->title());
    }
    return BytesOf(*window_.captionLabel(caption));
}

void DirectControls::SetEditText(EditBox edit, const Text& text) {
    SetBytes(*window_.editBox(edit), text);
}

Text DirectControls::EditText(EditBox edit) {
    return BytesOf(*window_.editBox(edit));
}

void DirectControls::SetEnabled(Button button, bool enabled) {
    window_.button(button)->setEnabled(enabled);
}

bool DirectControls::IsEnabled(Button button) {
    return window_.button(button)->isEnabled();
}

void DirectControls::StatusBarSetText(int part, const Text& text) {
    if (part != controls::kStatusPart) return;
    SetBytes(*window_.statusPart(), text);
}

Text DirectControls::StatusBarText(int part) {
    if (part != controls::kStatusPart) return {};
    return BytesOf(*window_.statusPart());
}

void DirectControls::Apply(std::vector<ControlChange>& changes) {
    for (size_t i = 0; i < changes.size(); ++i) {
        ControlChange& c = changes[i];
        switch (c.kind) {
            case Kind::ListBoxAdd: {
                // A walk's run of additions to one list reaches the view as one insertion.
                std::vector<Text> run{std::move(c.text)};
                while (i + 1 < changes.size() && changes[i + 1].kind == Kind::ListBoxAdd &&
                       changes[i + 1].target == c.target) {
                    run.push_back(std::move(changes[++i].text));
                }
                window_.listBox(static_cast<ListBox>(c.target))->items().Append(std::move(run));
                break;
            }
            case Kind::ListViewInsert: {
                std::vector<Text> run{std::move(c.text)};
                while (i + 1 < changes.size() && changes[i + 1].kind == Kind::ListViewInsert &&
                       changes[i + 1].target == c.target && changes[i + 1].a == c.a) {
                    run.push_back(std::move(changes[++i].text));
                }
                window_.listView(static_cast<ListView>(c.target))->rows().Insert(c.a, std::move(run));
                break;
            }
            case Kind::ListBoxClear:
                ListBoxClear(static_cast<ListBox>(c.target));
                break;
            case Kind::ListBoxSetCurrent:
                ListBoxSetCurrent(static_cast<ListBox>(c.target), c.a);
                break;
            case Kind::ListBoxEnable:
                SetEnabled(static_cast<ListBox>(c.target), c.a != 0);
                break;
            case Kind::ListViewSetItemText:
                ListViewSetItemText(static_cast<ListView>(c.target), c.a, c.b, c.text);
                break;
            case Kind::ListViewClear:
                ListViewClear(static_cast<ListView>(c.target));
                break;
            case Kind::SetCaption:
                SetCaption(static_cast<Caption>(c.target), c.text);
                break;
            case Kind::SetEditText:
                SetEditText(static_cast<EditBox>(c.target), c.text);
                break;
            case Kind::ButtonEnable:
                SetEnabled(static_cast<Button>(c.target), c.a != 0);
                break;
            case Kind::StatusBarSetText:
                StatusBarSetText(c.target, c.text);
                break;
        }
    }
    changes.clear();
}

WindowControls::WindowControls(MainWindow& window)
    : window_(&window), lastHandOver_(std::chrono::steady_clock::now()) {}

WindowControls::~WindowControls() = default;

void WindowControls::Queue(ControlChange change) {
    pending_.push_back(std::move(change));
    if (pending_.size() >= kBatchChanges) HandOver();
}

void WindowControls::HandOver(const std::function<void(DirectControls&)>& read) {
    lastHandOver_ = std::chrono::steady_clock::now();
    if (pending_.empty() && !read) return;
    auto work = [this, &read] {
        handedOver_.load(std::memory_order_acquire);
        DirectControls& direct = static_cast<DirectControls&>(window_->controls());
        direct.Apply(pending_);
        if (read) read(direct);
        handedOver_.fetch_add(1, std::memory_order_release);
    };
    if (QThread::currentThread() == window_->thread()) {
        work();
    } else {
        // Qt's queue orders the two threads already; these fences say so to the thread checker,
        // which cannot see inside Debian's Qt.
        handedOver_.fetch_add(1, std::memory_order_release);
        QMetaObject::invokeMethod(window_, work, Qt::BlockingQueuedConnection);
        handedOver_.load(std::memory_order_acquire);
    }
    pending_.clear();
}

void WindowControls::ProcessPendingEvents() {
    if (std::chrono::steady_clock::now() - lastHandOver_ >= kBatchDelay) HandOver();
}

void WindowControls::Flush() {
    HandOver();
}

void WindowControls::ListBoxAdd(ListBox box, const Text& text) {
    Queue({Kind::ListBoxAdd, Index(box), 0, 0, text});
}
void WindowControls::ListBoxClear(ListBox box) {
    Queue({Kind::ListBoxClear, Index(box), 0, 0, {}});
}
void WindowControls::ListBoxSetCurrent(ListBox box, int index) {
    Queue({Kind::ListBoxSetCurrent, Index(box), index, 0, {}});
}
void WindowControls::SetEnabled(ListBox box, bool enabled) {
    Queue({Kind::ListBoxEnable, Index(box), enabled ? 1 : 0, 0, {}});
}
void WindowControls::ListViewInsert(ListView view, int position, const Text& title) {
    Queue({Kind::ListViewInsert, Index(view), position, 0, title});
}
void WindowControls::ListViewSetItemText(ListView view, int row, int column, const Text& text) {
    Queue({Kind::ListViewSetItemText, Index(view), row, column, text});
}
void WindowControls::ListViewClear(ListView view) {
    Queue({Kind::ListViewClear, Index(view), 0, 0, {}});
}
void WindowControls::SetCaption(Caption caption, const Text& text) {
    Queue({Kind::SetCaption, Index(caption), 0, 0, text});
}
void WindowControls::SetEditText(EditBox edit, const Text& text) {
    Queue({Kind::SetEditText, Index(edit), 0, 0, text});
}
void WindowControls::SetEnabled(Button button, bool enabled) {
    Queue({Kind::ButtonEnable, Index(button), enabled ? 1 : 0, 0, {}});
}
void WindowControls::StatusBarSetText(int part, const Text& text) {
    Queue({Kind::StatusBarSetText, part, 0, 0, text});
}

// Reads hand the held changes over first, so they see everything this run did before.
int WindowControls::ListBoxCount(ListBox box) {
    int result = 0;
    HandOver([&](DirectControls& d) { result = d.ListBoxCount(box); });
    return result;
}
Text WindowControls::ListBoxItemText(ListBox box, int index) {
    Text result;
    HandOver([&](DirectControls& d) { result = d.ListBoxItemText(box, index); });
    return result;
}
int WindowControls::ListBoxSelectByText(ListBox box, const Text& text) {
    int result = controls::kNoItem;
    HandOver([&](DirectControls& d) { result = d.ListBoxSelectByText(box, text); });
    return result;
}
int WindowControls::ListBoxCurrent(ListBox box) {
    int result = controls::kNoItem;
    HandOver([&](DirectControls& d) { result = d.ListBoxCurrent(box); });
    return result;
}
bool WindowControls::IsEnabled(ListBox box) {
    bool result = false;
    HandOver([&](DirectControls& d) { result = d.IsEnabled(box); });
    return result;
}
Text WindowControls::ListViewItemText(ListView view, int row, int column) {
    Text result;
    HandOver([&](DirectControls& d) { result = d.ListViewItemText(view, row, column); });
    return result;
}
int WindowControls::ListViewCount(ListView view) {
    int result = 0;
    HandOver([&](DirectControls& d) { result = d.ListViewCount(view); });
    return result;
}
std::vector<Text> WindowControls::ListViewColumn(ListView view, int column) {
    std::vector<Text> result;
    HandOver([&](DirectControls& d) { result = d.ListViewColumn(view, column); });
    return result;
}
Text WindowControls::CaptionText(Caption caption) {
    Text result;
    HandOver([&](DirectControls& d) { result = d.CaptionText(caption); });
    return result;
}
Text WindowControls::EditText(EditBox edit) {
    Text result;
    HandOver([&](DirectControls& d) { result = d.EditText(edit); });
    return result;
}
bool WindowControls::IsEnabled(Button button) {
    bool result = false;
    HandOver([&](DirectControls& d) { result = d.IsEnabled(button); });
    return result;
}
Text WindowControls::StatusBarText(int part) {
    Text result;
    HandOver([&](DirectControls& d) { result = d.StatusBarText(part); });
    return result;
}

}  // namespace tavro::app
