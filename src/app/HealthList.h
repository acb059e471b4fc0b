#pragma once
#include "search/ServiceHealth.h"

#include <QColor>
#include <QWidget>
#include <array>

class QLabel;

// The search services' health under a "Services:" caption: one wrapped
// line per service, in the warning colour while it carries a warning.
class THealthList : public QWidget {
    Q_OBJECT
public:
    THealthList(QWidget* parent, QColor warningColor);

    void Show(const THealth& health);
    QLabel* Line(int service) const { return FLines[service]; }

private:
    std::array<QLabel*, ServiceCount> FLines{};
    QColor FWarningColor;
};
