#pragma once
#include "controls/ResultRows.h"

#include <QTreeView>
#include <vector>

// The list of found pictures: file name, size and dimensions, several rows
// selectable. The size and dimensions columns are as wide as their widest
// figure; the name column takes the rest.
class TResultList : public QTreeView {
    Q_OBJECT
public:
    explicit TResultList(QWidget* parent = nullptr);

    TResultRows* const Rows; // owned as a child, so it outlives the view

    int RowCount() const { return Rows->rowCount(); }
    QString Text(int row, int column) const { return Rows->Text(row, column); }
    void SelectRow(int row); // adds the row to the selection
    std::vector<int> SelectedRows() const; // in row order

protected:
    void changeEvent(QEvent* event) override;

private:
    void FitFigureColumns();
};
