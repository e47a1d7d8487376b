#include "qt/TapeModel.h"

namespace kalpeno::qt {

int TapeModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant TapeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count() || index.column() != 0) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return line(index.row());
    }
    return {};
}

Qt::ItemFlags TapeModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TapeModel::append(QString line) {
    const int row = count();
    beginInsertRows(QModelIndex(), row, row);
    lines_.push_back(std::move(line));
    endInsertRows();
}

void TapeModel::clear() {
    if (lines_.empty()) {
        return;
    }
    beginResetModel();
    lines_.clear();
    endResetModel();
}

void TapeModel::setLines(std::vector<QString> lines) {
    beginResetModel();
    lines_ = std::move(lines);
    endResetModel();
}

} // namespace kalpeno::qt
