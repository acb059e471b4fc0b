#include "app/PlacedLabel.h"

#include <QLabel>

QLabel* PlacedLabel(QWidget* parent, const char* text, int left, int top)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->move(left, top);
    return label;
}
