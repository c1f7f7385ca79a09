#include "demo/tour.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <functional>

#include "app/main_window.h"

namespace tavro::demo {
namespace {

using controls::Button;
using controls::Caption;
using controls::ListBox;

constexpr int kStepTimeoutMs = 60000;

bool WaitUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > kStepTimeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    QCoreApplication::processEvents();
    return true;
}

// A selection as the user makes it: through the view, so the item-selected event follows.
void Pick(app::ListBoxWidget* list, int row) {
    list->setFocus();
    list->setCurrentIndex(list->model()->index(row, 0));
}

}  // namespace

int RunTour(app::MainWindow& window, const QString& directory) {
    QDir().mkpath(directory);
    auto idle = [&window] { return window.runner().running() == 0; };
    auto count = [&window](ListBox box) { return window.listBox(box)->items().count(); };
    int step = 0;
    bool ok = true;
    auto shot = [&](const char* name, bool shown) {
        const QString file = QString("%1/%2-%3.png").arg(directory).arg(++step, 2, 10, QChar('0')).arg(name);
        window.grab().save(file);
        std::printf("%s %s\n", shown ? "ok  " : "FAIL", qPrintable(file));
        ok = ok && shown;
    };

    shot("games", WaitUntil([&] { return idle() && count(ListBox::游戏名) > 0; }));
    Pick(window.listBox(ListBox::游戏名), 0);
    shot("game", WaitUntil([&] { return idle() && count(ListBox::区) > 0; }));
    Pick(window.listBox(ListBox::区), 0);
    shot("area", WaitUntil([&] { return idle() && count(ListBox::服) > 0; }));
    Pick(window.listBox(ListBox::类别), 0);
    Pick(window.listBox(ListBox::服), 0);
    shot("category-and-server", WaitUntil(idle));
    window.button(Button::成交量)->click();
    shot("deals",
         WaitUntil([&] { return idle() && window.captionLabel(Caption::状态)->text() == "查询完毕！"; }));
    Pick(window.listBox(ListBox::定单), 2);
    shot("deal-selected", WaitUntil(idle));
    window.button(Button::按钮1)->click();
    shot("hot-games", WaitUntil([&] {
             return idle() && window.listView(controls::ListView::全局统计交易额)->rows().count() > 0;
         }));
    window.button(Button::按钮2)->click();
    shot("ranking", WaitUntil([&] { return idle() && window.button(Button::按钮1)->isEnabled(); }));
    return ok ? 0 : 1;
}

}  // namespace tavro::demo
