#pragma once

#include <QAbstractListModel>
#include <QString>

#include <vector>

namespace kalpeno::qt {

// The rows a tape shows: a copy of the list box's lines, so that a window whose form has gone
// can still paint until it is deleted. Lines are only ever appended at the end or all removed,
// as the list box does; an append is one inserted row, which views handle without touching the
// rows before it.
class TapeModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int count() const { return static_cast<int>(lines_.size()); }
    const QString& line(int row) const { return lines_[static_cast<std::size_t>(row)]; }

    void append(QString line);
    void clear();
    void setLines(std::vector<QString> lines);

private:
    std::vector<QString> lines_;
};

} // namespace kalpeno::qt
