#include "app/HealthList.h"

#include "app/ScaledFont.h"

#include "platform/AnsiText.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

THealthList::THealthList(QWidget* parent, QColor warningColor)
    : QWidget(parent), FWarningColor(warningColor)
{
    // The window's font may be sized in pixels.
    const QFont small = ScaledFont(font(), 0.8);
    setFont(small);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* caption = new QLabel("Services:", this);
    QFont bold = small;
    bold.setBold(true);
    caption->setFont(bold);
    layout->addWidget(caption);
    const auto addLine = [&] {
        auto* line = new TElidedLabel(this);
        layout->addWidget(line);
        return line;
    };
    for (TElidedLabel*& line : FLines)
        line = addLine();
    FStartPage = addLine();
    layout->addStretch(1);
    Show({});
}

void THealthList::Show(const THealth& health, const std::optional<TServiceHealth>& startPage)
{
    for (int i = 0; i < ServiceCount; ++i) {
        FLines[i]->setHidden(startPage.has_value());
        ShowLine(FLines[i], Services[i].Name, health[i]);
    }
    FStartPage->setHidden(!startPage);
    ShowLine(FStartPage, StartPageName, startPage.value_or(TServiceHealth{}));
}

void THealthList::Grow(std::vector<TElidedLabel*>& lines, size_t count)
{
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    while (lines.size() < count) {
        auto* line = new TElidedLabel(this);
        line->hide();
        // Source lines stay above the refused files' lines, both above the stretch.
        const int at = layout->count() - 1 - (&lines == &FSourceLines ? static_cast<int>(FRefusedLines.size()) : 0);
        layout->insertWidget(at, line);
        lines.push_back(line);
    }
}

void THealthList::ShowSources(const std::vector<TSource>& sources, const TSourceHealth& health,
                              const std::vector<bool>& asked, const std::vector<TDescriptionFault>& refused)
{
    const size_t count = std::min({sources.size(), health.size(), asked.size()});
    Grow(FSourceLines, count);
    for (size_t i = 0; i < FSourceLines.size(); ++i) {
        const bool shown = i < count && asked[i];
        if (shown)
            ShowLine(FSourceLines[i], sources[i].Name, health[i]);
        FSourceLines[i]->setVisible(shown);
    }
    Grow(FRefusedLines, refused.size());
    for (size_t i = 0; i < FRefusedLines.size(); ++i) {
        const bool shown = i < refused.size();
        if (shown) {
            FRefusedLines[i]->SetText("refused: " + QString::fromStdString(AsUtf8(refused[i].Text())));
            QPalette pal = palette();
            pal.setColor(QPalette::WindowText, FWarningColor);
            FRefusedLines[i]->setPalette(pal);
        }
        FRefusedLines[i]->setVisible(shown);
    }
}

void THealthList::ShowLine(TElidedLabel* line, const std::string& name, const TServiceHealth& health)
{
    // A user's source may name itself in any script: the line is UTF-8.
    line->SetText(QString::fromStdString(AsUtf8(ServiceHealthText(name, health))));
    QPalette pal = palette();
    if (!health.Warning.empty())
        pal.setColor(QPalette::WindowText, FWarningColor);
    line->setPalette(pal);
}
