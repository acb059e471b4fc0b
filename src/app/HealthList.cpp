#include "app/HealthList.h"

#include "platform/AnsiText.h"

#include <QLabel>
#include <QVBoxLayout>

THealthList::THealthList(QWidget* parent, QColor warningColor) : QWidget(parent), FWarningColor(warningColor)
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
        auto* line = new QLabel(this);
        line->setWordWrap(true);
        layout->addWidget(line);
        return line;
    };
    for (QLabel*& line : FLines)
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

void THealthList::ShowLine(QLabel* line, const std::string& name, const TServiceHealth& health)
{
    line->setText(ToQt(ServiceHealthText(name, health)));
    QPalette pal = palette();
    if (!health.Warning.empty())
        pal.setColor(QPalette::WindowText, FWarningColor);
    line->setPalette(pal);
}
