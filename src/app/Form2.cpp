#include "app/Form2.h"
#include "app/HealthList.h"
#include "app/PlacedLabel.h"

#include "platform/ErrorLog.h"
#include "platform/AnsiText.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle("Form2");
    setGeometry(564, 88, 364, 417);

    Panel1 = new QWidget(this);
    Panel1->setFixedHeight(113);
    label_GetPageCli = PlacedLabel(Panel1, "GetPage Clients:", 8, 8);
    label_CheckLinkCli = PlacedLabel(Panel1, "CheckLink Clients:", 8, 24);
    label_GetPage = PlacedLabel(Panel1, "GetPage Queue:", 8, 40);
    label_CheckLink = PlacedLabel(Panel1, "CheckLink Queue:", 8, 56);
    CheckRepeatsCaption = PlacedLabel(Panel1, "Double Check:", 8, 80);
    PageRepeatsCaption = PlacedLabel(Panel1, "Double GetPage:", 8, 96);
    PageClientsLabel = PlacedLabel(Panel1, "Label9", 104, 8);
    CheckClientsLabel = PlacedLabel(Panel1, "Label10", 104, 24);
    PageQueueLabel = PlacedLabel(Panel1, "Label13", 104, 40);
    CheckQueueLabel = PlacedLabel(Panel1, "Label14", 104, 56);
    CheckRepeatsLabel = PlacedLabel(Panel1, "0", 104, 80);
    PageRepeatsLabel = PlacedLabel(Panel1, "0", 104, 96);
    for (QLabel* value : {PageClientsLabel, CheckClientsLabel, PageQueueLabel, CheckQueueLabel, CheckRepeatsLabel, PageRepeatsLabel})
        value->setMinimumWidth(120);

    HealthList = new THealthList(this, QColor(176, 0, 0));
    HealthList->setContentsMargins(8, 0, 8, 4);

    LogMemo = new QPlainTextEdit(this);
    LogMemo->setReadOnly(true);
    LogMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    LogMemo->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(HealthList);
    layout->addWidget(LogMemo, 1);

    // The log store is older than this window: show what it holds, then follow it.
    for (const std::string& line : ErrorLog::Lines())
        LogMemo->appendPlainText(ToQt(line));
    ErrorLog::SetListener([this](const std::string& line) { LogMemo->appendPlainText(ToQt(line)); });
}

TForm2::~TForm2()
{
    ErrorLog::SetListener(nullptr);
    if (Form2 == this)
        Form2 = nullptr;
}

void IncrementLabel(QLabel* label, uint64_t by)
{
    label->setText(QString::number(label->text().toLongLong() + static_cast<qlonglong>(by)));
}
