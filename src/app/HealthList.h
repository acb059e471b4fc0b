#pragma once
#include "search/ServiceHealth.h"

#include <QColor>
#include <QWidget>
#include <array>
#include <optional>

class QLabel;

// The search services' health under a "Services:" caption: one wrapped
// line per service, in the warning colour while it carries a warning. A
// search of an http:// phrase asks no service: its start page's line is
// shown instead.
class THealthList : public QWidget {
    Q_OBJECT
public:
    THealthList(QWidget* parent, QColor warningColor);

    void Show(const THealth& health, const std::optional<TServiceHealth>& startPage = std::nullopt);
    QLabel* Line(int service) const { return FLines[service]; }
    QLabel* StartPageLine() const { return FStartPage; }

private:
    void ShowLine(QLabel* line, const std::string& name, const TServiceHealth& health);

    std::array<QLabel*, ServiceCount> FLines{};
    QLabel* FStartPage = nullptr;
    QColor FWarningColor;
};
