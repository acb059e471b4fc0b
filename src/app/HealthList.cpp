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
    for (QLabel*& line : FLines) {
        line = new QLabel(this);
        line->setWordWrap(true);
        layout->addWidget(line);
    }
    layout->addStretch(1);
    Show({});
}

void THealthList::Show(const THealth& health)
{
    for (int i = 0; i < ServiceCount; ++i) {
        FLines[i]->setText(ToQt(ServiceHealthText(Services[i].Name, health[i])));
        QPalette pal = palette();
        if (!health[i].Warning.empty())
            pal.setColor(QPalette::WindowText, FWarningColor);
        FLines[i]->setPalette(pal);
    }
}
