#include "app/Form1.h"
#include "app/Form2.h"

#include "core/TextHelpers.h"
#include "net/HttpCli.h"
#include "platform/CatchAll.h"
#include "platform/IniFile.h"
#include "platform/ui/AnsiText.h"

#include <QCheckBox>
#include <QLabel>
#include <QTreeWidget>

namespace {
const char* const kOptions = "Options";
}

bool TForm1::CheckLinksTicked() const { return CheckBox_CheckLinks->isChecked(); }

bool TForm1::IsFound(const std::string& url) const { return FoundFiles.ContainsKey(url); }

bool TForm1::PassesSizeFilter(const std::string& /*url*/, int64_t size) const
{
    bool result = true;
    if (IniFile->ReadBool(kOptions, "LargerThanBool", true)
        && static_cast<int64_t>(IniFile->ReadInteger(kOptions, "LargerThan", 20)) * 1000 > size)
        result = false;
    if (IniFile->ReadBool(kOptions, "SmallerThanBool", true)
        && static_cast<int64_t>(IniFile->ReadInteger(kOptions, "SmallerThan", 1000)) * 1000 < size)
        result = false;
    return result;
}

void TForm1::AddToListView(const std::string& url, int64_t size)
{
    CatchAll("error code : #0044 (AddToListView)", [&] {
        if (!SearchActive || IsFound(url))
            return;
        if (size > 0 && !PassesSizeFilter(url, size))
            return;
        if (url.find_first_of("&=?%") != std::string::npos)
            return;
        FoundFiles.Append(url);
        IncrementLabel(Label1);
        std::string name;
        ExtractFileNameFromURL(url, name);
        auto* row = new QTreeWidgetItem(ListView1);
        row->setText(0, ToQt(name));
        row->setText(1, size > 0 ? QString::number(size) : QStringLiteral("UNKNOWN"));
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    });
}

void TForm1::CheckLinkHeaderEnd(THttpCli* sender)
{
    CatchAll("error code : #0003 (CheckLinkHeaderEnd)", [&] {
        if (sender->ContentType().find("image") != std::string::npos)
            AddToListView(sender->URL, sender->ContentLength());
        Scheduler.MarkFinished(sender);
    });
}
