#include "app/Form1.h"
#include "app/Form2.h"

#include "core/TextHelpers.h"
#include "platform/ui/AnsiText.h"

#include <QLabel>
#include <QTreeWidget>

void TForm1::AddRow(const std::string& url, int64_t size)
{
    IncrementLabel(FoundLabel);
    std::string name;
    ExtractFileNameFromURL(url, name);
    auto* row = new QTreeWidgetItem(ResultList);
    row->setText(0, ToQt(name));
    row->setText(1, size > 0 ? QString::number(size) : QStringLiteral("UNKNOWN"));
    row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
}
