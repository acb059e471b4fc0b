#pragma once
#include "controls/Gauge.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <string>

// The download window: the save folder, the files still waiting and those
// that have arrived, and a gauge. The main window fills the queue, shows it
// modally with exec(), and reports each finished file; it closes by itself
// when the queue runs empty.
class Tfrm_Download : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Download(QWidget* parent = nullptr);

    void SetSavePath(const std::string& path);
    void AddToQueue(const std::string& fileName);
    // A file arrived: its first queue entry containing fileName moves to the
    // downloaded list and the gauge steps on.
    void FileDownloaded(const std::string& fileName);
    // Its bytes lay at path already, so it was not saved again: as a file
    // that arrived, told in the downloaded list; the window then stays open
    // once the queue is empty, for the user to read it.
    void FileAlreadySaved(const std::string& fileName, const std::string& path);

    void FormShow();
    void FormResize();
    void BitBtn1Click();
    void FormClose();
    // Every way of closing (Abort, the close box, Escape, an empty queue).
    void done(int result) override;

    QWidget* panel_Top;
    QLabel* Label1;
    QLabel* Label2;
    TGauge* Gauge1;
    QLabel* label_Queue;
    QLabel* label_Downloaded;
    QListWidget* ListBox1; // files in queue
    QListWidget* ListBox2; // files downloaded
    QWidget* panel_Bottom;
    QPushButton* BitBtn1;

    static constexpr int TopHeight = 53;
    static constexpr int BottomHeight = 36;
    static constexpr int Margin = 15;
    static constexpr int ListGap = 22;

protected:
    void Arrived(const std::string& fileName, const QString& shown);
    bool FKeepOpen = false;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

extern Tfrm_Download* frm_Download;
