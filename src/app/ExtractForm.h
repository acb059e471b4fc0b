#pragma once
#include "controls/DirTree.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <memory>
#include <optional>
#include <string>

// The directory chooser: picks the folder downloads are saved into and
// creates one on the way. Made once and reused, so the tree keeps its open
// folders and its selection between openings.
class TExtractForm : public QDialog {
    Q_OBJECT
public:
    // system: where the tree reads drives and folders; the machine's own when empty.
    explicit TExtractForm(QWidget* parent = nullptr, std::shared_ptr<TDriveSystem> system = nullptr);

    // Shows the chooser modally: the folder confirmed with OK, nothing when cancelled.
    std::optional<std::string> Choose();

    void FormShow();
    void DirTree1Change();
    void SpeedButton1Click();
    void BitBtn1Click();
    void BitBtn2Click();

    QLabel* Label1;
    QLabel* Label2;
    TDirTree* DirTree1;
    QToolButton* SpeedButton1;
    QPushButton* BitBtn1; // OK
    QPushButton* BitBtn2; // Cancel

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout(std::shared_ptr<TDriveSystem> system);
    void ShowSelection();

    std::optional<std::string> FChosen;
};

extern TExtractForm* ExtractForm;
