#include "app/HealthList.h"

#include "platform/AnsiText.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

THealthList::THealthList(QWidget* parent, QColor warningColor, bool sourceSwitches)
    : QWidget(parent), FWarningColor(warningColor)
{
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
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
    for (int i = 0; i < SourceCount; ++i) {
        if (sourceSwitches) {
            FSwitches[i] = new QCheckBox(QString::fromLatin1(Sources[i].Name), this);
            layout->addWidget(FSwitches[i]);
        }
        FSourceLines[i] = addLine();
        FSourceLines[i]->hide();
    }
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

void THealthList::ShowSources(const TSourceHealth& health, const std::array<bool, SourceCount>& asked)
{
    for (int i = 0; i < SourceCount; ++i) {
        ShowLine(FSourceLines[i], Sources[i].Name, health[i]);
        FSourceLines[i]->setVisible(asked[i]);
    }
}

void THealthList::ShowLine(TElidedLabel* line, const std::string& name, const TServiceHealth& health)
{
    line->SetText(ToQt(ServiceHealthText(name, health)));
    QPalette pal = palette();
    if (!health.Warning.empty())
        pal.setColor(QPalette::WindowText, FWarningColor);
    line->setPalette(pal);
}
