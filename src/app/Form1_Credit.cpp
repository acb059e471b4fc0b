#include "app/Form1.h"

#include "controls/ResultGrid.h"
#include "controls/ResultList.h"
#include "core/CreditText.h"
#include "platform/ui/Dialogs.h"

#include <QAction>

void TForm1::ConnectCredit()
{
    ResultList->Rows->RecordOf = [this](int row) -> const TPictureRecord* {
        const auto& found = Engine.FoundFiles();
        return static_cast<size_t>(row) < found.size() ? Engine.SourcePicture(found[static_cast<size_t>(row)]) : nullptr;
    };
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(ResultList), static_cast<QAbstractItemView*>(ResultGrid)}) {
        auto* copy = new QAction("Copy credit", view);
        connect(copy, &QAction::triggered, this, [this] { CopyCredit(); });
        view->addAction(copy);
        view->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

void TForm1::CopyCredit()
{
    const std::vector<std::string> selected = SelectedUrls();
    const TPictureRecord* record = selected.empty() ? nullptr : Engine.SourcePicture(selected.front());
    const std::string line = record ? AttributionLine(*record) : std::string();
    if (!line.empty())
        Dialogs::SetClipboardText(line);
}
