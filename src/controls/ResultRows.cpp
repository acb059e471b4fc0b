#include "controls/ResultRows.h"

#include "platform/AnsiText.h"

void TResultRows::Append(TPictureSize size)
{
    const int row = static_cast<int>(FSizes.size());
    beginInsertRows({}, row, row);
    FSizes.push_back(size.Bytes());
    endInsertRows();
}

void TResultRows::Clear()
{
    beginResetModel();
    FSizes.clear();
    FSizes.shrink_to_fit();
    endResetModel();
}

QString TResultRows::Text(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return {};
    if (column == 0)
        return NameOf ? QString::fromStdString(AsUtf8(NameOf(row))) : QString();
    if (column == 2) {
        const QSize size = DimensionsOf ? DimensionsOf(row) : QSize();
        return size.isEmpty() ? QString() : QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
    }
    const int64_t size = FSizes[static_cast<size_t>(row)];
    return size > 0 ? QString::number(size) : QStringLiteral("UNKNOWN");
}

int TResultRows::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FSizes.size());
}

void TResultRows::DimensionsChanged(int row)
{
    const QModelIndex at = index(row, 2);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

int TResultRows::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant TResultRows::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DisplayRole)
        return Text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() >= 1)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TResultRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return section == 0 ? QStringLiteral("Filename:")
               : section == 1 ? QStringLiteral("Size:")
                              : QStringLiteral("Dimensions:");
    if (role == Qt::TextAlignmentRole && section >= 1)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}
