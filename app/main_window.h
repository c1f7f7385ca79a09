#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeView>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "app/list_models.h"
#ifndef Q_MOC_RUN  // moc reads no further than it must; the controls have Chinese names
#include "app/action_thread.h"
#include "controls/controls.h"
#endif

namespace tavro::app {

class DirectControls;
struct Form;

// What the program fixes and a test or the demo may change.
struct WindowConfig {
    net::SiteHosts site = net::kTavroSite;
    net::FetchLimits limits;
    // Opens a URL in the user's browser; called on the window's thread.
    std::function<void(const scrape::Text& url)> openInBrowser;
};

// The system's default browser through the desktop, for the program itself.
void OpenWithDesktop(const scrape::Text& url);

// A list box: unsorted, one selection at most, items of uniform size.
class ListBoxWidget : public QListView {
    Q_OBJECT
  public:
    ListBoxWidget(const QString& name, bool checkable, QWidget* parent);
    TextListModel& items() { return model_; }
    int CurrentRow() const;
    void SetCurrentRow(int row);  // clamped; negative: none. Raises no itemSelected.

  signals:
    void itemSelected();  // only for a selection the user made
    void rightButtonReleased(const QPoint& globalPos);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    TextListModel model_;
    bool programmatic_ = false;
};

// A report-style list view.
class ReportView : public QTreeView {
    Q_OBJECT
  public:
    ReportView(const QString& name, const QStringList& headers, const std::vector<int>& widths,
               QWidget* parent);
    RowsModel& rows() { return model_; }

  private:
    RowsModel model_;
};

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MainWindow(WindowConfig config = {});
    ~MainWindow() override;

    // The controls as the window's own thread sees them.
    controls::Controls& controls();
    ActionRunner& runner() { return *runner_; }
    const WindowConfig& config() const { return config_; }

    ListBoxWidget* listBox(controls::ListBox box) const { return listBoxes_[static_cast<size_t>(box)]; }
    ReportView* listView(controls::ListView view) const { return listViews_[static_cast<size_t>(view)]; }
    QLabel* captionLabel(controls::Caption caption) const;
    QGroupBox* dealGroup() const;
    QLineEdit* editBox(controls::EditBox edit) const { return edits_[static_cast<size_t>(edit)]; }
    QPushButton* button(controls::Button b) const { return buttons_[static_cast<size_t>(b)]; }
    QLabel* statusPart() const;
    QMenu* dealMenu() const;
    QMenu* hotGameMenu() const;

    void SearchGame();
    void OpenSelectedDeal();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildControls();
    void WireEvents();
    void SetKeyboardPath();
    void StartAction(Action action);
    void PopUp(QMenu* menu, const QPoint& globalPos);

    WindowConfig config_;

    std::unique_ptr<Form> form_;

    std::array<ListBoxWidget*, controls::kListBoxCount> listBoxes_{};
    std::array<ReportView*, controls::kListViewCount> listViews_{};
    std::array<QLineEdit*, controls::kEditBoxCount> edits_{};
    std::array<QPushButton*, controls::kButtonCount> buttons_{};

    std::unique_ptr<DirectControls> direct_;
    std::unique_ptr<ActionRunner> runner_;
    bool placed_ = false;
};

}  // namespace tavro::app
