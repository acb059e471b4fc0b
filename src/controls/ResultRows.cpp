#include "controls/ResultRows.h"

#include "core/CreditText.h"
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
    if (column == LookAlikeColumn)
        return LookAlikeOf ? LookAlikeOf(row) : QString();
    if (column == CreditColumn) {
        const TPictureRecord* record = RecordOf ? RecordOf(row) : nullptr;
        return record ? QString::fromStdString(::CreditColumn(*record)) : QString();
    }
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

void TResultRows::LookAlikeChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, LookAlikeColumn), {Qt::DisplayRole});
}

int TResultRows::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 5; }

QVariant TResultRows::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DisplayRole)
        return Text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() >= 1 && index.column() != CreditColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ToolTipRole) {
        const TPictureRecord* record = RecordOf ? RecordOf(index.row()) : nullptr;
        const std::string line = record ? AttributionLine(*record) : std::string();
        return line.empty() ? QVariant() : QVariant(QString::fromStdString(line));
    }
    return {};
}

QVariant TResultRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return section == 0   ? QStringLiteral("Filename:")
               : section == 1 ? QStringLiteral("Size:")
               : section == 2 ? QStringLiteral("Dimensions:")
               : section == 3 ? QStringLiteral("Look-alikes:")
                              : QStringLiteral("Credit:");
    if (role == Qt::TextAlignmentRole && section >= 1 && section != CreditColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}
