#pragma once

// Item models that keep every item's original bytes and decode them only to show them, so a
// list gives back exactly what was put in, also bytes that are not valid GBK.

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "scrape/text.h"

namespace tavro::app {

class TextListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit TextListModel(bool checkable, QObject* parent = nullptr)
        : QAbstractListModel(parent), checkable_(checkable) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void Append(std::vector<scrape::Text> texts);
    void Clear();
    int count() const { return static_cast<int>(items_.size()); }
    const scrape::Text& text(int row) const { return items_[static_cast<size_t>(row)].bytes; }

  private:
    struct Item {
        scrape::Text bytes;
        mutable std::optional<QString> shown;  // decoded the first time it is painted
    };
    std::vector<Item> items_;
    bool checkable_;
};

class RowsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit RowsModel(QStringList headers, QObject* parent = nullptr)
        : QAbstractTableModel(parent), headers_(std::move(headers)) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Inserts each title in turn at `position` (past the end or negative: appended), as one
    // change for the view.
    void Insert(int position, std::vector<scrape::Text> titles);
    void SetCell(int row, int column, const scrape::Text& text);
    void Clear();
    int count() const { return static_cast<int>(rows_.size()); }
    scrape::Text cell(int row, int column) const;

  private:
    std::deque<std::vector<scrape::Text>> rows_;  // inserting near the front stays cheap
    QStringList headers_;
};

}  // namespace tavro::app
