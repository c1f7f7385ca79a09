#include "app/list_models.h"

#include <algorithm>

#include "app/display.h"

namespace tavro::app {

int TextListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant TextListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return {};
    const Item& item = items_[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
        case Qt::ToolTipRole:
            if (!item.shown) item.shown = Display(item.bytes);
            return *item.shown;
        case Qt::CheckStateRole:
            if (checkable_) return Qt::Unchecked;  // the marks are never read or set
            return {};
        default:
            return {};
    }
}

Qt::ItemFlags TextListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractListModel::flags(index);
    if (checkable_) f |= Qt::ItemIsUserCheckable;
    return f;
}

void TextListModel::Append(std::vector<scrape::Text> texts) {
    if (texts.empty()) return;
    const int first = count();
    beginInsertRows({}, first, first + static_cast<int>(texts.size()) - 1);
    items_.reserve(items_.size() + texts.size());
    for (auto& t : texts)
        items_.push_back({std::move(t), std::nullopt});
    endInsertRows();
}

void TextListModel::Clear() {
    if (items_.empty()) return;
    beginResetModel();
    items_.clear();
    endResetModel();
}

int RowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int RowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant RowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return Display(cell(index.row(), index.column()));
}

QVariant RowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= headers_.size())
        return {};
    return headers_[section];
}

void RowsModel::Insert(int position, std::vector<scrape::Text> titles) {
    size_t next = 0;
    while (next < titles.size()) {
        const int before = count();
        if (position < 0 || position >= before) {
            // Appending: every title while the position stays past the end, in order.
            const size_t take =
                position < 0 ? titles.size() - next
                             : std::min(titles.size() - next, static_cast<size_t>(position - before + 1));
            beginInsertRows({}, before, before + static_cast<int>(take) - 1);
            for (size_t k = 0; k < take; ++k)
                rows_.push_back({std::move(titles[next++])});
            endInsertRows();
            continue;
        }
        // Inside the list, one title after the other at the same position ends in reverse order.
        const int n = static_cast<int>(titles.size() - next);
        beginInsertRows({}, position, position + n - 1);
        auto at = rows_.begin() + position;
        while (next < titles.size())
            at = rows_.insert(at, {std::move(titles[next++])});
        endInsertRows();
    }
}

void RowsModel::SetCell(int row, int column, const scrape::Text& text) {
    if (row < 0 || row >= count() || column < 0 || column >= columnCount()) return;
    auto& r = rows_[static_cast<size_t>(row)];
    if (r.size() <= static_cast<size_t>(column)) r.resize(static_cast<size_t>(column) + 1);
    r[static_cast<size_t>(column)] = text;
    emit dataChanged(index(row, column), index(row, column));
}

void RowsModel::Clear() {
    if (rows_.empty()) return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

scrape::Text RowsModel::cell(int row, int column) const {
    if (row < 0 || row >= count() || column < 0) return {};
    const auto& r = rows_[static_cast<size_t>(row)];
    return static_cast<size_t>(column) < r.size() ? r[static_cast<size_t>(column)] : scrape::Text();
}

}  // namespace tavro::app
