// The real window under the offscreen platform: its controls, its events, the controls
// interface through the hand-over from worker threads, and the program against the demo site.

#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <thread>

#ifndef Q_MOC_RUN  // moc stops at the Chinese names of the controls
#include "app/display.h"
#include "app/main_window.h"
#include "app/qt_controls.h"
#include "controls_cases.h"
#include "demo/demo_site.h"
#include "demo/loopback_server.h"
#include "scrape/gbk.h"
#endif

using namespace tavro;
using controls::Button;
using controls::Caption;
using controls::EditBox;
using controls::ListBox;
using controls::ListView;
using scrape::Gbk;

namespace {

// A site that answers every page with nothing the actions can cut, and remembers requests.
struct QuietSite {
    demo::LoopbackServer server{[](const demo::HttpRequestSeen&, demo::Connection& c) {
        c.Write(demo::LoopbackServer::Response(""));
    }};
    app::WindowConfig Config(std::vector<scrape::Text>* opened = nullptr) {
        app::WindowConfig config;
        config.site = {server.host(), server.host()};
        config.openInBrowser = [opened](const scrape::Text& url) {
            if (opened) opened->push_back(url);
        };
        return config;
    }
    int RequestsFor(const std::string& part) const {
        int n = 0;
        for (const auto& r : server.requests())
            n += r.target.find(part) != std::string::npos ? 1 : 0;
        return n;
    }
};

void WaitIdle(app::MainWindow& window) {
    window.runner().WaitIdle([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 5); });
    QCoreApplication::processEvents();
}

void Click(app::ListBoxWidget* list, int row) {
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void Add(app::MainWindow& w, ListBox box, std::initializer_list<std::string> items) {
    for (const auto& item : items)
        w.controls().ListBoxAdd(box, Gbk(item));
}

QString Status(app::MainWindow& w) {
    return w.statusPart()->text();
}

template <typename Predicate>
bool WaitFor(Predicate done, int timeoutMs = 20000) {
    return QTest::qWaitFor(done, timeoutMs);
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
  private slots:
    void controlTree();
    void initialState();
    void catalogueSelections();
    void dealSelections();
    void rankingButtons();
    void programChangesRaiseNoEvent();
    void searchGame();
    void controlsTableOnTheWindowThread();
    void controlsTableThroughTheHandOver();
    void walkItemsArriveInOrder();
    void staysResponsiveWhileTheSiteStalls();
    void keyboardPath();
    void endToEndAgainstTheDemoSite();
    void hotGamesAndRankingAgainstTheDemoSite();
};

void WindowTest::controlTree() {
    QuietSite site;
    app::MainWindow w(site.Config());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), QString("Tavro交易查询"));
    QCOMPARE(w.frameGeometry(), QRect(50, 50, 800, 634));

    struct Row {
        const char* name;
        const char* kind;
        const char* parent;
        QRect geometry;
        bool shown;
    };
    const Row rows[] = {
        {"分组框2", "QGroupBox", "MainWindow", {8, 8, 776, 224}, true},
        {"分组框5", "QGroupBox", "MainWindow", {8, 240, 280, 56}, true},
        {"分组框1", "QGroupBox", "MainWindow", {8, 296, 280, 272}, true},
        {"分组框3", "QGroupBox", "MainWindow", {296, 240, 488, 328}, true},
        {"全局统计交易额", "tavro::app::ReportView", "MainWindow", {24, 328, 248, 192}, true},
        {"按钮1", "QPushButton", "MainWindow", {24, 536, 64, 24}, true},
        {"游戏名", "tavro::app::ListBoxWidget", "分组框2", {8, 16, 216, 200}, true},
        {"游戏名1", "tavro::app::ListBoxWidget", "分组框2", {32, 120, 80, 32}, false},
        {"区", "tavro::app::ListBoxWidget", "分组框2", {232, 16, 192, 200}, true},
        {"区1", "tavro::app::ListBoxWidget", "分组框2", {208, 40, 96, 32}, false},
        {"服", "tavro::app::ListBoxWidget", "分组框2", {432, 16, 184, 200}, true},
        {"服1", "tavro::app::ListBoxWidget", "分组框2", {440, 24, 112, 176}, false},
        {"类别", "tavro::app::ListBoxWidget", "分组框2", {624, 16, 144, 88}, true},
        {"类别1", "tavro::app::ListBoxWidget", "分组框2", {672, 56, 72, 32}, false},
        {"成交量", "QPushButton", "分组框2", {632, 112, 48, 24}, true},
        {"未成交", "QPushButton", "分组框2", {696, 112, 48, 24}, true},
        {"标签1", "QLabel", "分组框2", {624, 144, 136, 16}, true},
        {"标签2", "QLabel", "分组框2", {624, 168, 136, 16}, true},
        {"状态", "QLabel", "分组框2", {624, 192, 136, 24}, true},
        {"游戏全名搜索", "QLineEdit", "分组框5", {8, 16, 192, 32}, true},
        {"游戏搜索", "QPushButton", "分组框5", {208, 16, 64, 32}, true},
        {"分组框6", "QGroupBox", "分组框1", {8, 16, 264, 216}, true},
        {"按钮2", "QPushButton", "分组框1", {104, 240, 64, 24}, true},
        {"统计游戏", "QLineEdit", "分组框1", {0, 168, 16, 16}, false},
        {"超级列表框1", "tavro::app::ReportView", "分组框1", {216, 80, 48, 192}, false},
        {"分组框4", "QGroupBox", "分组框1", {168, -8, 112, 256}, false},
        {"全局统计", "tavro::app::ListBoxWidget", "分组框6", {64, 104, 24, 128}, false},
        // Shown inside a hidden group box, so never seen either.
        {"热门游戏列表", "tavro::app::ListBoxWidget", "分组框4", {8, 16, 48, 232}, true},
        {"热门游戏列表1", "tavro::app::ListBoxWidget", "分组框4", {64, 48, 16, 200}, true},
        {"定单", "tavro::app::ListBoxWidget", "分组框3", {8, 16, 336, 304}, true},
        {"单价", "tavro::app::ListBoxWidget", "分组框3", {344, 16, 144, 304}, true},
        {"定单1", "tavro::app::ListBoxWidget", "分组框3", {152, 128, 72, 32}, false},
        {"总合", "tavro::app::ReportView", "分组框3", {248, 144, 80, 64}, false},
    };
    for (const Row& r : rows) {
        auto* widget = w.findChild<QWidget*>(r.name);
        QVERIFY2(widget, r.name);
        QCOMPARE(QString(widget->metaObject()->className()), QString(r.kind));
        QCOMPARE(widget->parentWidget()->objectName(), QString(r.parent));
        QCOMPARE(widget->geometry(), r.geometry);
        QCOMPARE(widget->isVisibleTo(widget->parentWidget()), r.shown);
        if (qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QLineEdit*>(widget)) {
            QCOMPARE(widget->accessibleName(), QString(r.name));
        }
        if (auto* list = qobject_cast<QListView*>(widget)) {
            QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
            QVERIFY(list->uniformItemSizes());
        }
    }
    auto* bar = w.findChild<QStatusBar*>("状态条1");
    QVERIFY(bar);
    QCOMPARE(bar->geometry(), QRect(0, w.height() - 20, w.width(), 20));  // on the bottom edge
    auto* table = w.findChild<app::ReportView*>("全局统计交易额");
    QCOMPARE(table->model()->headerData(0, Qt::Horizontal).toString(), QString("游戏名"));
    QCOMPARE(table->model()->headerData(1, Qt::Horizontal).toString(), QString("交易额"));
    QCOMPARE(table->columnWidth(0), 130);
    QCOMPARE(table->columnWidth(1), 80);
    QCOMPARE(w.findChild<app::ReportView*>("总合")->columnWidth(0), 50);
    QVERIFY(!w.findChild<QWidget*>("热门游戏列表")->isVisible());
    QCOMPARE(w.findChild<app::ReportView*>("超级列表框1")->columnWidth(0), 80);
    QCOMPARE(w.dealMenu()->actions().at(0)->text(), QString("查看该定单"));
    QCOMPARE(w.hotGameMenu()->actions().at(0)->text(), QString("统计该游戏"));
    WaitIdle(w);
}

void WindowTest::initialState() {
    QuietSite site;
    app::MainWindow w(site.Config());
    w.show();
    QCOMPARE(Status(w), QString("状态："));
    QCOMPARE(w.editBox(EditBox::游戏全名搜索)->text(), QString("请输入游戏全名"));
    QCOMPARE(w.dealGroup()->title(), QString("定单区"));
    QCOMPARE(w.findChild<QGroupBox*>("分组框2")->title(), QString("游戏名/区/服务器/类型"));
    QCOMPARE(w.button(Button::游戏搜索)->text(), QString("搜索"));
    QCOMPARE(w.button(Button::按钮2)->text(), QString("统计成交"));
    QVERIFY(!w.button(Button::按钮2)->isEnabled());
    for (auto b : {Button::成交量, Button::未成交, Button::游戏搜索, Button::按钮1})
        QVERIFY(w.button(b)->isEnabled());
    for (int i = 0; i < controls::kListBoxCount; ++i)
        QVERIFY(w.listBox(static_cast<ListBox>(i))->isEnabled());
    WaitIdle(w);
    QCOMPARE(site.RequestsFor("gm=20c8bbc1b9794fc98bd96859624d4769"), 1);  // the game list started by itself
}

void WindowTest::catalogueSelections() {
    QuietSite site;
    app::MainWindow w(site.Config());
    w.show();
    WaitIdle(w);
    Add(w, ListBox::游戏名, {"甲", "乙"});
    Add(w, ListBox::游戏名1, {"g1", "g2"});
    Click(w.listBox(ListBox::游戏名), 1);
    WaitIdle(w);
    QCOMPARE(site.RequestsFor("&gm=g2&ga=&gs="), 1);
    QCOMPARE(w.controls().ListBoxCurrent(ListBox::游戏名1), 1);

    // 区1 shorter than 区: the last item of 区1 becomes current, then the servers load.
    Add(w, ListBox::区, {"a", "b", "c"});
    Add(w, ListBox::区1, {"ka", "kb"});
    Click(w.listBox(ListBox::区), 2);
    QCOMPARE(w.controls().ListBoxCurrent(ListBox::区1), 1);
    WaitIdle(w);
    QCOMPARE(site.RequestsFor("&ga=kb&gs=-1"), 1);

    Add(w, ListBox::服, {"s1", "s2"});
    Add(w, ListBox::服1, {"k1", "k2"});
    Click(w.listBox(ListBox::服), 1);
    QCOMPARE(w.controls().ListBoxCurrent(ListBox::服1), 1);
    Add(w, ListBox::类别, {"c1", "c2", "c3"});
    Add(w, ListBox::类别1, {"k1", "k2", "k3"});
    Click(w.listBox(ListBox::类别), 2);
    QCOMPARE(w.controls().ListBoxCurrent(ListBox::类别1), 2);
    // The keyboard selects as the mouse does.
    QTest::keyClick(w.listBox(ListBox::类别), Qt::Key_Up);
    QCOMPARE(w.controls().ListBoxCurrent(ListBox::类别1), 1);
    WaitIdle(w);
    QCOMPARE(site.RequestsFor("&ga=kb&gs=-1"), 1);  // a server or category selection loads nothing
}

void WindowTest::dealSelections() {
    QuietSite site;
    std::vector<scrape::Text> opened;
    app::MainWindow w(site.Config(&opened));
    w.show();
    WaitIdle(w);
    for (int i = 0; i < 6; ++i) {
        w.controls().ListBoxAdd(ListBox::定单, "t" + std::to_string(i));
        w.controls().ListBoxAdd(ListBox::定单1, "http://d/" + std::to_string(i));
        w.controls().ListBoxAdd(ListBox::单价, "p" + std::to_string(i));
    }
    w.dealMenu()->actions().at(0)->trigger();
    QVERIFY(opened.empty());  // nothing selected: nothing handed to the shell
    QCOMPARE(Status(w), QString("请先选择一个定单"));

    Click(w.listBox(ListBox::定单), 3);
    QCOMPARE(w.controls().ListBoxCurrent(ListBox::定单1), 3);
    QCOMPARE(w.controls().ListBoxCurrent(ListBox::单价), 3);
    Click(w.listBox(ListBox::单价), 5);
    QCOMPARE(w.controls().ListBoxCurrent(ListBox::定单), 5);
    QCOMPARE(w.controls().ListBoxCurrent(ListBox::定单1), 3);
    w.dealMenu()->actions().at(0)->trigger();
    QCOMPARE(opened, std::vector<scrape::Text>{"http://d/3"});

    // The right button pops the menu up 3 pixels right of and below the pointer.
    auto* list = w.listBox(ListBox::定单);
    const QPoint at = list->visualRect(list->model()->index(1, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
    QTRY_VERIFY(w.dealMenu()->isVisible());
    QCOMPARE(w.dealMenu()->pos(), list->viewport()->mapToGlobal(at) + QPoint(3, 3));
    w.dealMenu()->close();

    w.button(Button::未成交)->click();
    WaitIdle(w);
    QTRY_COMPARE(opened.size(), size_t{2});
    QCOMPARE(opened.back(),
             "http://" + site.server.host() +
                 "/search/-1.shtml?ga=&gs=&cate=-1&basictype=20000&sort=MoneyAveragePrice_ASC");
}

void WindowTest::rankingButtons() {
    QuietSite site;
    app::MainWindow w(site.Config());
    w.show();
    WaitIdle(w);
    w.button(Button::按钮1)->click();
    QVERIFY(w.button(Button::按钮2)->isEnabled());  // at once, not when the load ends
    WaitIdle(w);
    w.button(Button::按钮2)->click();
    QVERIFY(!w.button(Button::按钮1)->isEnabled());
    QVERIFY(!w.listBox(ListBox::热门游戏列表)->isEnabled());
    QVERIFY(!w.listBox(ListBox::全局统计)->isEnabled());
    QVERIFY(w.button(Button::按钮2)->isEnabled());
    WaitIdle(w);
    // No hot games: one run with the empty key, then the end.
    QCOMPARE(site.RequestsFor("&gm=&raceid=-1&ga=-1&gs=-1&bt=-1&sort=-1&section=&pg=2&ps=10000"), 1);
    QVERIFY(w.button(Button::按钮1)->isEnabled());
    QVERIFY(w.listBox(ListBox::热门游戏列表)->isEnabled());
    QCOMPARE(w.listView(ListView::全局统计交易额)->rows().count(), 1);
}

void WindowTest::programChangesRaiseNoEvent() {
    QuietSite site;
    app::MainWindow w(site.Config());
    w.show();
    WaitIdle(w);
    Add(w, ListBox::游戏名, {"甲", "乙"});
    Add(w, ListBox::区, {"a"});
    QSignalSpy games(w.listBox(ListBox::游戏名), &app::ListBoxWidget::itemSelected);
    w.controls().ListBoxSetCurrent(ListBox::游戏名, 1);
    w.controls().ListBoxSetCurrent(ListBox::区, 0);
    w.controls().ListBoxClear(ListBox::游戏名);
    WaitIdle(w);
    QCOMPARE(games.count(), 0);
    QCOMPARE(site.server.requests().size(), size_t{1});  // the game list, nothing else
}

void WindowTest::searchGame() {
    QuietSite site;
    app::MainWindow w(site.Config());
    w.show();
    WaitIdle(w);
    w.button(Button::游戏搜索)->click();  // the initial text matches nothing
    QCOMPARE(Status(w), QString("当前正在检索   "));
    Add(w, ListBox::游戏名, {"Alpha", "dragon 甲", "Dragon 乙"});
    Add(w, ListBox::游戏名1, {"k0", "k1", "k2"});
    w.controls().ListBoxSetCurrent(ListBox::游戏名, 0);
    w.button(Button::游戏搜索)->click();
    QCOMPARE(w.controls().ListBoxCurrent(ListBox::游戏名), 0);  // unchanged
    w.editBox(EditBox::游戏全名搜索)->setText("DRAG");
    QTest::keyClick(w.editBox(EditBox::游戏全名搜索), Qt::Key_Return);
    QCOMPARE(w.controls().ListBoxCurrent(ListBox::游戏名), 1);
    QCOMPARE(Status(w), QString("当前正在检索   dragon 甲"));
    w.editBox(EditBox::游戏全名搜索)->setText("dragon 乙");
    w.button(Button::游戏搜索)->click();
    QCOMPARE(w.controls().ListBoxCurrent(ListBox::游戏名), 2);
    WaitIdle(w);
    QCOMPARE(site.RequestsFor("&gm=k"), 0);  // no areas load, 游戏名1 not moved
    QCOMPARE(w.controls().ListBoxCurrent(ListBox::游戏名1), -1);
}

void WindowTest::controlsTableOnTheWindowThread() {
    QuietSite site;
    for (const auto& c : testing::ControlsCases()) {
        app::MainWindow w(site.Config());
        WaitIdle(w);
        QVERIFY2(c.run(w.controls()).empty(), c.name);
    }
}

void WindowTest::controlsTableThroughTheHandOver() {
    QuietSite site;
    for (const auto& c : testing::ControlsCases()) {
        app::MainWindow w(site.Config());
        WaitIdle(w);
        std::string result = "not run";
        std::atomic<bool> done{false};
        std::thread worker([&] {
            app::WindowControls controls(w);
            result = c.run(controls);
            controls.Flush();
            done = true;
        });
        QVERIFY(WaitFor([&] { return done.load(); }));
        worker.join();
        QVERIFY2(result.empty(), (std::string(c.name) + ": " + result).c_str());
    }
}

void WindowTest::walkItemsArriveInOrder() {
    // Many items from a worker, in batches, come out in the order they went in.
    QuietSite site;
    app::MainWindow w(site.Config());
    w.show();
    WaitIdle(w);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        app::WindowControls controls(w);
        for (int i = 0; i < 5000; ++i) {
            controls.ListBoxAdd(ListBox::定单, std::to_string(i));
            controls.ListViewInsert(ListView::总合, 1, std::to_string(i));
            controls.ProcessPendingEvents();
        }
        controls.Flush();
        done = true;
    });
    QVERIFY(WaitFor([&] { return done.load(); }));
    worker.join();
    auto& items = w.listBox(ListBox::定单)->items();
    QCOMPARE(items.count(), 5000);
    for (int i = 0; i < 5000; ++i)
        QCOMPARE(items.text(i), std::to_string(i));
    auto& rows = w.listView(ListView::总合)->rows();
    QCOMPARE(rows.cell(0, 0), std::string("0"));
    QCOMPARE(rows.cell(1, 0), std::string("4999"));
    QCOMPARE(rows.cell(4999, 0), std::string("1"));
}

void WindowTest::staysResponsiveWhileTheSiteStalls() {
    demo::LoopbackServer stalled([](const demo::HttpRequestSeen&, demo::Connection& c) {
        while (!c.WaitForPeerClose(20)) {
        }
    });
    app::WindowConfig config;
    config.site = {stalled.host(), stalled.host()};
    config.limits.connectTimeout = config.limits.receiveTimeout = config.limits.sendTimeout =
        std::chrono::milliseconds(800);
    app::MainWindow w(config);
    w.show();
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    w.button(Button::成交量)->click();
    QVERIFY(WaitFor([&] { return w.cursor().shape() == Qt::BusyCursor; }));
    QVERIFY(WaitFor([&] { return w.captionLabel(Caption::状态)->text() == "查询失败"; }));
    QVERIFY(ticks > 5);  // the window's thread went on while the query waited
    QVERIFY(WaitFor([&] { return w.cursor().shape() == Qt::ArrowCursor; }));
    QCOMPARE(Status(w), QString("查询失败：连接超时"));
    QCOMPARE(w.captionLabel(Caption::标签1)->text(), QString("成交  笔"));
    WaitIdle(w);
}

void WindowTest::keyboardPath() {
    QuietSite site;
    app::MainWindow w(site.Config());
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const char* path[] = {"游戏名",       "区",       "服",   "类别", "成交量",         "未成交",
                          "游戏全名搜索", "游戏搜索", "定单", "单价", "全局统计交易额", "按钮1"};
    w.findChild<QWidget*>(path[0])->setFocus();
    for (const char* name : path) {
        QCOMPARE(QApplication::focusWidget()->objectName(), QString(name));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    WaitIdle(w);
}

namespace {

struct DemoFixture {
    std::unique_ptr<demo::DemoSite> site;
    demo::LoopbackServer listing{
        [this](const demo::HttpRequestSeen& r, demo::Connection& c) { site->Handler()(r, c); }};
    std::unique_ptr<demo::LoopbackServer> home;
    std::vector<scrape::Text> opened;
    DemoFixture() {
        site = std::make_unique<demo::DemoSite>(listing.host());
        home = std::make_unique<demo::LoopbackServer>(site->Handler());
    }
    app::WindowConfig Config() {
        app::WindowConfig config;
        config.site = {listing.host(), home->host()};
        config.openInBrowser = [this](const scrape::Text& url) { opened.push_back(url); };
        return config;
    }
};

void SaveScreenshot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("TAVRO_SCREENSHOTS");
    if (!dir.isEmpty()) w.grab().save(QString(dir) + "/" + name + ".png");
}

}  // namespace

void WindowTest::endToEndAgainstTheDemoSite() {
    DemoFixture demo;
    app::MainWindow w(demo.Config());
    w.show();
    auto* games = w.listBox(ListBox::游戏名);
    QVERIFY(WaitFor([&] { return games->items().count() == demo::DemoSite::kGameCount; }));
    WaitIdle(w);
    QCOMPARE(w.listBox(ListBox::游戏名1)->items().text(0), demo.site->games()[0].key);
    QCOMPARE(app::Display(games->items().text(0)), QString::fromStdString(demo.site->games()[0].name));

    Click(games, 0);
    WaitIdle(w);
    QVERIFY(w.listBox(ListBox::区)->items().count() >= 4);
    QCOMPARE(w.listBox(ListBox::类别)->items().count(), 6);
    Click(w.listBox(ListBox::区), 0);
    WaitIdle(w);
    QVERIFY(w.listBox(ListBox::服)->items().count() >= 5);
    Click(w.listBox(ListBox::服), 0);
    w.button(Button::成交量)->click();
    QVERIFY(WaitFor([&] { return w.captionLabel(Caption::状态)->text() == "查询完毕！"; }, 60000));
    WaitIdle(w);
    SaveScreenshot(w, "deals");

    auto& c = w.controls();
    const int deals = demo::DemoSite::kLargeDealCount;
    QCOMPARE(c.ListBoxCount(ListBox::定单), deals);
    QCOMPARE(c.ListBoxCount(ListBox::定单1), deals);
    QCOMPARE(c.ListBoxCount(ListBox::单价), deals);
    QCOMPARE(c.ListViewCount(ListView::总合), deals);
    QCOMPARE(w.captionLabel(Caption::标签1)->text(), QString("成交 %1 笔").arg(deals));
    QVERIFY(w.captionLabel(Caption::标签2)->text().startsWith("交易 "));
    const QString expectedGroup =
        app::Display(c.ListBoxItemText(ListBox::游戏名, 0) + c.ListBoxItemText(ListBox::区, 0) +
                     c.ListBoxItemText(ListBox::服, 0)) +
        "   成交定单";
    QCOMPARE(w.dealGroup()->title(), expectedGroup);
    QVERIFY(Status(w).contains("<>"));
    QVERIFY(Status(w).contains(QString("成交 %1 笔 定单   统计交易额为：  ").arg(deals)));

    Click(w.listBox(ListBox::定单), 2);
    w.dealMenu()->actions().at(0)->trigger();
    QCOMPARE(demo.opened.size(), size_t{1});
    QCOMPARE(demo.opened[0], c.ListBoxItemText(ListBox::定单1, 2));
    QVERIFY(demo.opened[0].starts_with("http://" + demo.listing.host() + "/deal/"));
    // A category picked with the keyboard narrows the next query to what the site has for it.
    auto* categories = w.listBox(ListBox::类别);
    categories->setFocus();
    Click(categories, 0);
    QTest::keyClick(categories, Qt::Key_Down);
    QCOMPARE(c.ListBoxCurrent(ListBox::类别1), 1);
    w.button(Button::成交量)->click();
    const int narrowed =
        demo.site->DealCount(c.ListBoxItemText(ListBox::游戏名1, 0), c.ListBoxItemText(ListBox::区1, 0),
                             c.ListBoxItemText(ListBox::服1, 0), c.ListBoxItemText(ListBox::类别1, 1));
    QVERIFY(WaitFor(
        [&] { return w.captionLabel(Caption::标签1)->text() == QString("成交 %1 笔").arg(narrowed); }));
    WaitIdle(w);
    QCOMPARE(c.ListBoxCount(ListBox::定单), narrowed);

    w.button(Button::未成交)->click();
    QTRY_COMPARE(demo.opened.size(), size_t{2});
    QCOMPARE(demo.opened[1], "http://" + demo.listing.host() + "/search/" + demo.site->games()[0].key +
                                 "-1.shtml?ga=" + c.ListBoxItemText(ListBox::区1, 0) +
                                 "&gs=&cate=-1&basictype=20000&sort=MoneyAveragePrice_ASC");
}

void WindowTest::hotGamesAndRankingAgainstTheDemoSite() {
    DemoFixture demo;
    app::MainWindow w(demo.Config());
    w.show();
    WaitIdle(w);
    w.button(Button::按钮1)->click();
    WaitIdle(w);
    auto& c = w.controls();
    const int hot = demo::DemoSite::kHotGameCount;
    QCOMPARE(c.ListViewCount(ListView::全局统计交易额), hot);
    QCOMPARE(c.ListBoxCount(ListBox::热门游戏列表1), hot);
    QCOMPARE(c.EditText(EditBox::统计游戏), std::to_string(hot));

    w.button(Button::按钮2)->click();
    bool grewRowByRow = false;
    bool enabledEarly = false;
    QVERIFY(WaitFor(
        [&] {
            const int rows = w.listView(ListView::全局统计交易额)->rows().count();
            const bool ended = w.button(Button::按钮1)->isEnabled();
            if (rows > 0 && rows < hot) grewRowByRow = true;
            if (ended && c.ListBoxCount(ListBox::全局统计) < hot) enabledEarly = true;
            return ended;
        },
        120000));
    QVERIFY(!enabledEarly);
    WaitIdle(w);
    SaveScreenshot(w, "ranking");
    QVERIFY(grewRowByRow);
    QCOMPARE(c.ListViewCount(ListView::全局统计交易额), hot);
    QCOMPARE(c.ListBoxCount(ListBox::全局统计), hot);
    QCOMPARE(c.ListViewItemText(ListView::全局统计交易额, demo::DemoSite::kFailingHotGame, 1), std::string());
    QVERIFY(!c.ListViewItemText(ListView::全局统计交易额, 0, 1).empty());
    QCOMPARE(Status(w), QString("统计未完成：已统计 %1 / %2 个游戏，其余页面获取失败（HTTP 状态 500）")
                            .arg(hot - 1)
                            .arg(hot));
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
