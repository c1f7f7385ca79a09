#include "app/main_window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHeaderView>
#include <QMouseEvent>
#include <QShowEvent>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include "app/display.h"
#include "app/form.h"
#include "app/qt_controls.h"
#include "controls/initial_texts.h"
#include "controls/report.h"
#include "deals/deals.h"
#include "net/url.h"
#include "ranking/ranking.h"
#include "scrape/gbk.h"

namespace tavro::app {
namespace {

using controls::Button;
using controls::Caption;
using controls::EditBox;
using controls::ListBox;
using controls::ListView;

constexpr QRect kWindowFrame{50, 50, 800, 634};  // outer size, frame included
constexpr int kStatusBarHeight = 20;
constexpr QPoint kMenuOffset{3, 3};
constexpr int kBusyPollMs = 100;

template <typename Widget>
Widget* Place(Widget* widget, const QString& name, QRect geometry, bool shown = true) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    if (!shown) widget->hide();
    return widget;
}

QGroupBox* Group(QWidget* parent, const QString& name, const QString& title, QRect geometry,
                 bool shown = true) {
    return Place(new QGroupBox(title, parent), name, geometry, shown);
}

QPushButton* PushButton(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    return Place(new QPushButton(text, parent), name, geometry);
}

QLabel* Label(QWidget* parent, const QString& name, QRect geometry) {
    return Place(new QLabel(parent), name, geometry);
}

}  // namespace

void OpenWithDesktop(const scrape::Text& url) {
    // GBK bytes and spaces are percent-encoded; the browser gets exactly the site's bytes.
    QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(net::EscapeForRequestLine(url))));
}

ListBoxWidget::ListBoxWidget(const QString& name, bool checkable, QWidget* parent)
    : QListView(parent), model_(checkable) {
    setObjectName(name);
    setAccessibleName(name);
    setModel(&model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);  // a long list is laid out from one item, not each
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!programmatic_ && CurrentRow() != controls::kNoItem) emit itemSelected();
    });
}

int ListBoxWidget::CurrentRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? controls::kNoItem : selected.first().row();
}

void ListBoxWidget::SetCurrentRow(int row) {
    programmatic_ = true;
    const int count = model_.count();
    if (row < 0 || count == 0) {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    } else {
        const QModelIndex index = model_.index(std::min(row, count - 1));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    }
    programmatic_ = false;
}

void ListBoxWidget::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton) emit rightButtonReleased(event->globalPosition().toPoint());
}

ReportView::ReportView(const QString& name, const QStringList& headers, const std::vector<int>& widths,
                       QWidget* parent)
    : QTreeView(parent), model_(headers) {
    setObjectName(name);
    setAccessibleName(name);
    setModel(&model_);
    setRootIsDecorated(false);
    header()->setStretchLastSection(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (size_t c = 0; c < widths.size(); ++c)
        setColumnWidth(static_cast<int>(c), widths[c]);
}

MainWindow::MainWindow(WindowConfig config) : config_(std::move(config)) {
    if (!config_.openInBrowser) config_.openInBrowser = OpenWithDesktop;
    setObjectName("MainWindow");
    setWindowTitle(QStringLiteral("Tavro交易查询"));
    setGeometry(kWindowFrame);
    setFixedSize(kWindowFrame.size());
    form_ = std::make_unique<Form>();
    BuildControls();
    direct_ = std::make_unique<DirectControls>(*this);

    ActionHost host;
    host.site = config_.site;
    host.limits = config_.limits;
    host.makeControls = [this](const RunToken&) { return std::make_shared<WindowControls>(*this); };
    host.openInBrowser = [this](const scrape::Text& url) {
        QMetaObject::invokeMethod(
            this, [this, url] { config_.openInBrowser(url); }, Qt::QueuedConnection);
    };
    runner_ = std::make_unique<ActionRunner>(std::move(host));
    runner_->SetShutdownPump([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 5); });
    WireEvents();
    SetKeyboardPath();
    // While an action runs the pointer says so; the window stays usable all the same.
    auto* busy = new QTimer(this);
    connect(busy, &QTimer::timeout, this, [this] {
        const bool running = runner_->running() > 0;
        if (running == testAttribute(Qt::WA_SetCursor)) return;
        if (running) {
            setCursor(Qt::BusyCursor);
        } else {
            unsetCursor();
        }
    });
    busy->start(kBusyPollMs);

    // The window is created: the ranking waits for hot games, and the games start loading.
    form_->按钮2->setEnabled(false);
    StartAction(Action::LoadGameList);
}

MainWindow::~MainWindow() {
    // Runs still handing changes over are let through, then end at their next step.
    runner_.reset();
}

controls::Controls& MainWindow::controls() {
    return *direct_;
}
QGroupBox* MainWindow::dealGroup() const {
    return form_->分组框3;
}
QLabel* MainWindow::statusPart() const {
    return form_->statusPart_;
}
QMenu* MainWindow::dealMenu() const {
    return form_->y;
}
QMenu* MainWindow::hotGameMenu() const {
    return form_->ss;
}

QLabel* MainWindow::captionLabel(Caption caption) const {
    switch (caption) {
        case Caption::标签1:
            return form_->标签1;
        case Caption::标签2:
            return form_->标签2;
        case Caption::状态:
            return form_->状态;
        case Caption::分组框3:
            return nullptr;
    }
    return nullptr;
}

void MainWindow::BuildControls() {
    form_->分组框2 = Group(this, "分组框2", "游戏名/区/服务器/类型", {8, 8, 776, 224});
    form_->分组框5 = Group(this, "分组框5", "搜索游戏", {8, 240, 280, 56});
    form_->分组框1 = Group(this, "分组框1", "综合统计排行", {8, 296, 280, 272});
    form_->分组框3 = Group(this, "分组框3", "定单区", {296, 240, 488, 328});

    form_->游戏名 = Place(new ListBoxWidget("游戏名", false, form_->分组框2), "游戏名", {8, 16, 216, 200});
    form_->游戏名1 =
        Place(new ListBoxWidget("游戏名1", false, form_->分组框2), "游戏名1", {32, 120, 80, 32}, false);
    form_->区 = Place(new ListBoxWidget("区", false, form_->分组框2), "区", {232, 16, 192, 200});
    form_->区1 = Place(new ListBoxWidget("区1", false, form_->分组框2), "区1", {208, 40, 96, 32}, false);
    form_->服 = Place(new ListBoxWidget("服", false, form_->分组框2), "服", {432, 16, 184, 200});
    form_->服1 = Place(new ListBoxWidget("服1", true, form_->分组框2), "服1", {440, 24, 112, 176}, false);
    form_->类别 = Place(new ListBoxWidget("类别", false, form_->分组框2), "类别", {624, 16, 144, 88});
    form_->类别1 =
        Place(new ListBoxWidget("类别1", false, form_->分组框2), "类别1", {672, 56, 72, 32}, false);
    form_->成交量 = PushButton(form_->分组框2, "成交量", "成交量", {632, 112, 48, 24});
    form_->未成交 = PushButton(form_->分组框2, "未成交", "未成交", {696, 112, 48, 24});
    form_->标签1 = Label(form_->分组框2, "标签1", {624, 144, 136, 16});
    form_->标签2 = Label(form_->分组框2, "标签2", {624, 168, 136, 16});
    form_->状态 = Label(form_->分组框2, "状态", {624, 192, 136, 24});

    form_->游戏全名搜索 = Place(new QLineEdit(form_->分组框5), "游戏全名搜索", {8, 16, 192, 32});
    form_->游戏全名搜索->setAccessibleName("游戏全名搜索");
    form_->游戏全名搜索->setText(Display(controls::InitialSearchText()));
    form_->游戏搜索 = PushButton(form_->分组框5, "游戏搜索", "搜索", {208, 16, 64, 32});

    form_->分组框6 = Group(form_->分组框1, "分组框6", "交易额", {8, 16, 264, 216});
    form_->按钮2 = PushButton(form_->分组框1, "按钮2", "统计成交", {104, 240, 64, 24});
    form_->统计游戏 = Place(new QLineEdit(form_->分组框1), "统计游戏", {0, 168, 16, 16}, false);
    form_->统计游戏->setAccessibleName("统计游戏");
    form_->超级列表框1 = Place(new ReportView("超级列表框1", {"1"}, {80}, form_->分组框1), "超级列表框1",
                               {216, 80, 48, 192}, false);
    form_->分组框4 = Group(form_->分组框1, "分组框4", "热门游戏", {168, -8, 112, 256}, false);
    form_->全局统计 =
        Place(new ListBoxWidget("全局统计", false, form_->分组框6), "全局统计", {64, 104, 24, 128}, false);
    form_->热门游戏列表 =
        Place(new ListBoxWidget("热门游戏列表", false, form_->分组框4), "热门游戏列表", {8, 16, 48, 232});
    form_->热门游戏列表1 =
        Place(new ListBoxWidget("热门游戏列表1", false, form_->分组框4), "热门游戏列表1", {64, 48, 16, 200});

    form_->定单 = Place(new ListBoxWidget("定单", false, form_->分组框3), "定单", {8, 16, 336, 304});
    form_->单价 = Place(new ListBoxWidget("单价", false, form_->分组框3), "单价", {344, 16, 144, 304});
    form_->定单1 =
        Place(new ListBoxWidget("定单1", false, form_->分组框3), "定单1", {152, 128, 72, 32}, false);
    form_->总合 =
        Place(new ReportView("总合", {"1"}, {50}, form_->分组框3), "总合", {248, 144, 80, 64}, false);

    // Lies over the frame of form_->分组框6, so it is made after it.
    form_->全局统计交易额 = Place(new ReportView("全局统计交易额", {"游戏名", "交易额"}, {130, 80}, this),
                                  "全局统计交易额", {24, 328, 248, 192});
    form_->按钮1 = PushButton(this, "按钮1", "热门游戏", {24, 536, 64, 24});

    // A status bar sits on the bottom edge of the window, across its whole width.
    form_->状态条1 =
        Place(new QStatusBar(this), "状态条1", {0, height() - kStatusBarHeight, width(), kStatusBarHeight});
    form_->状态条1->setSizeGripEnabled(false);
    form_->statusPart_ = new QLabel(Display(controls::InitialStatusText()), form_->状态条1);
    form_->statusPart_->setObjectName("状态条1.0");
    form_->状态条1->addWidget(form_->statusPart_, 1);

    form_->y = new QMenu("y", this);
    form_->y->setObjectName("y");
    form_->y->addAction("查看该定单", this, &MainWindow::OpenSelectedDeal);
    form_->ss = new QMenu("ss", this);
    form_->ss->setObjectName("ss");
    form_->ss->addAction("统计该游戏");  // does nothing

    listBoxes_ = {
        form_->游戏名,        form_->游戏名1, form_->区,   form_->区1,   form_->服,   form_->服1,
        form_->类别,          form_->类别1,   form_->定单, form_->定单1, form_->单价, form_->热门游戏列表,
        form_->热门游戏列表1, form_->全局统计};
    listViews_ = {form_->全局统计交易额, form_->超级列表框1, form_->总合};
    edits_ = {form_->游戏全名搜索, form_->统计游戏};
    buttons_ = {form_->成交量, form_->未成交, form_->游戏搜索, form_->按钮1, form_->按钮2};
}

void MainWindow::WireEvents() {
    auto& c = *direct_;
    connect(form_->游戏名, &ListBoxWidget::itemSelected, this,
            [this] { StartAction(Action::LoadAreasAndCategories); });
    connect(form_->区, &ListBoxWidget::itemSelected, this, [this, &c] {
        controls::FollowCurrent(c, ListBox::区1, ListBox::区);
        StartAction(Action::LoadServers);
    });
    connect(form_->服, &ListBoxWidget::itemSelected, this,
            [&c] { controls::FollowCurrent(c, ListBox::服1, ListBox::服); });
    connect(form_->类别, &ListBoxWidget::itemSelected, this,
            [&c] { controls::FollowCurrent(c, ListBox::类别1, ListBox::类别); });
    connect(form_->成交量, &QPushButton::clicked, this, [this] { StartAction(Action::QueryLatestDeals); });
    connect(form_->未成交, &QPushButton::clicked, this, [this] { StartAction(Action::OpenUnsoldSearch); });
    connect(form_->游戏搜索, &QPushButton::clicked, this, &MainWindow::SearchGame);
    connect(form_->游戏全名搜索, &QLineEdit::returnPressed, this, &MainWindow::SearchGame);
    connect(form_->定单, &ListBoxWidget::itemSelected, this, [&c] {
        controls::FollowCurrent(c, ListBox::定单1, ListBox::定单);
        controls::FollowCurrent(c, ListBox::单价, ListBox::定单);
    });
    connect(form_->定单, &ListBoxWidget::rightButtonReleased, this,
            [this](const QPoint& at) { PopUp(form_->y, at); });
    connect(form_->单价, &ListBoxWidget::itemSelected, this,
            [&c] { controls::FollowCurrent(c, ListBox::定单, ListBox::单价); });
    connect(form_->按钮1, &QPushButton::clicked, this, [this] {
        StartAction(Action::LoadHotGames);
        form_->按钮2->setEnabled(true);
    });
    connect(form_->按钮2, &QPushButton::clicked, this, [this, &c] {
        ranking::PrepareRanking(c);
        StartAction(Action::RankHotGames);
        form_->按钮1->setEnabled(false);
    });
    connect(form_->热门游戏列表, &ListBoxWidget::itemSelected, this, [&c] {
        controls::FollowCurrent(c, ListBox::热门游戏列表1, ListBox::热门游戏列表);
        controls::FollowCurrent(c, ListBox::全局统计, ListBox::热门游戏列表);
    });
    connect(form_->热门游戏列表, &ListBoxWidget::rightButtonReleased, this,
            [this](const QPoint& at) { PopUp(form_->ss, at); });
    connect(form_->全局统计, &ListBoxWidget::itemSelected, this,
            [&c] { controls::FollowCurrent(c, ListBox::热门游戏列表, ListBox::全局统计); });
}

void MainWindow::SetKeyboardPath() {
    // Through the catalogue lists, the query buttons, the search and the deals to the ranking.
    QWidget* const path[] = {
        form_->游戏名,         form_->区,           form_->服,       form_->类别, form_->成交量,
        form_->未成交,         form_->游戏全名搜索, form_->游戏搜索, form_->定单, form_->单价,
        form_->全局统计交易额, form_->按钮1,        form_->按钮2};
    for (size_t i = 0; i + 1 < std::size(path); ++i)
        setTabOrder(path[i], path[i + 1]);
}

void MainWindow::StartAction(Action action) {
    runner_->Start(action);
}

void MainWindow::PopUp(QMenu* menu, const QPoint& globalPos) {
    menu->popup(globalPos + kMenuOffset);
}

void MainWindow::SearchGame() {
    static const scrape::Text kSearching = scrape::Gbk("当前正在检索   ");
    auto& c = *direct_;
    const int found = c.ListBoxSelectByText(ListBox::游戏名, c.EditText(EditBox::游戏全名搜索));
    c.StatusBarSetText(controls::kStatusPart,
                       scrape::ConcatText(kSearching, c.ListBoxItemText(ListBox::游戏名, found)));
}

void MainWindow::OpenSelectedDeal() {
    deals::OpenSelectedDeal(*direct_, config_.site, config_.openInBrowser);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placed_) return;
    placed_ = true;
    // The outer size includes the frame, which is known only once the window is shown.
    const QMargins frame(geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
                         frameGeometry().right() - geometry().right(),
                         frameGeometry().bottom() - geometry().bottom());
    if (!frame.isNull()) {
        setFixedSize(kWindowFrame.width() - frame.left() - frame.right(),
                     kWindowFrame.height() - frame.top() - frame.bottom());
        move(kWindowFrame.topLeft());
        form_->状态条1->setGeometry(0, height() - kStatusBarHeight, width(), kStatusBarHeight);
    }
}

}  // namespace tavro::app
