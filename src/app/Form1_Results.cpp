#include "app/Form1.h"
#include "app/Form2.h"

#include "core/TextHelpers.h"
#include "platform/ui/AnsiText.h"

#include <QLabel>
#include <QTreeWidget>

void TForm1::AddRow(const std::string& url, int64_t size)
{
    IncrementLabel(Label1);
    std::string name;
    ExtractFileNameFromURL(url, name);
    auto* row = new QTreeWidgetItem(ListView1);
    row->setText(0, ToQt(name));
    row->setText(1, size > 0 ? QString::number(size) : QStringLiteral("UNKNOWN"));
    row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
}
