#pragma once
#include "core/PictureRecord.h"
#include "core/PictureSize.h"

#include <QAbstractTableModel>
#include <QSize>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The rows of the result list: a file name, a size and dimensions each. A
// row holds its size alone; its name and dimensions are asked for when the
// row is drawn, so a list of tens of thousands of pictures costs a few bytes
// a row.
class TResultRows : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    std::function<std::string(int row)> NameOf; // the row's file name
    std::function<QSize(int row)> DimensionsOf; // width by height; empty while not known
    std::function<QString(int row)> LookAlikeOf; // its place in its group of look-alikes; empty alone
    static constexpr int LookAlikeColumn = 3;
    // What a source says of the row's picture; null for a picture no source described.
    std::function<const TPictureRecord*(int row)> RecordOf;
    static constexpr int CreditColumn = 4; // the licence and creator; all of the credit as the row's tooltip

    void Append(TPictureSize size); // "UNKNOWN" while not known
    void Clear();
    void DimensionsChanged(int row); // redraws the row's dimensions
    void LookAlikeChanged(int row);  // redraws the row, in the list and the grid
    QString Text(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<int64_t> FSizes; // bytes; 0 while not known
};
