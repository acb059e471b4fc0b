#pragma once
#include <QWidget>

#include <cstdint>

class QLabel;
class THealthList;
class QPlainTextEdit;

// The diagnostics window: the error log and the queue counters. Hidden for
// the whole run unless the hidden "More Info" button shows it.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    QWidget* Panel1;
    QLabel* label_GetPageCli;
    QLabel* label_CheckLinkCli;
    QLabel* label_GetPage;
    QLabel* label_CheckLink;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label9;  // GetPage Clients
    QLabel* Label10; // CheckLink Clients
    QLabel* Label13; // GetPage Queue
    QLabel* Label14; // CheckLink Queue
    QLabel* Label2;  // Double Check
    QLabel* Label1;  // Double GetPage
    THealthList* HealthList; // the services' health, as the main window shows it
    QPlainTextEdit* Memo1;
};

extern TForm2* Form2;

// Counters live as the decimal text of their labels: read, add, write back.
void IncrementLabel(QLabel* label, uint64_t by = 1);
