#include "app/Form2.h"
#include "app/HealthList.h"
#include "app/PlacedLabel.h"

#include "platform/ErrorLog.h"
#include "platform/ui/AnsiText.h"

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
    Label3 = PlacedLabel(Panel1, "Double Check:", 8, 80);
    Label4 = PlacedLabel(Panel1, "Double GetPage:", 8, 96);
    Label9 = PlacedLabel(Panel1, "Label9", 104, 8);
    Label10 = PlacedLabel(Panel1, "Label10", 104, 24);
    Label13 = PlacedLabel(Panel1, "Label13", 104, 40);
    Label14 = PlacedLabel(Panel1, "Label14", 104, 56);
    Label2 = PlacedLabel(Panel1, "0", 104, 80);
    Label1 = PlacedLabel(Panel1, "0", 104, 96);
    for (QLabel* value : {Label9, Label10, Label13, Label14, Label2, Label1})
        value->setMinimumWidth(120);

    HealthList = new THealthList(this, QColor(176, 0, 0));
    HealthList->setContentsMargins(8, 0, 8, 4);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(HealthList);
    layout->addWidget(Memo1, 1);

    // The log store is older than this window: show what it holds, then follow it.
    for (const std::string& line : ErrorLog::Lines())
        Memo1->appendPlainText(ToQt(line));
    ErrorLog::SetListener([this](const std::string& line) { Memo1->appendPlainText(ToQt(line)); });
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
