#pragma once
#include "controls/ElidedLabel.h"
#include "search/ServiceHealth.h"

#include <QColor>
#include <QWidget>
#include <array>
#include <optional>

class QCheckBox;


// The search services' health under a "Services:" caption: one line per
// service, cut at the list's width with the whole text in its tooltip, in the warning colour while it carries a warning. A
// search of an http:// phrase asks no service: its start page's line is
// shown instead. Below them, each live source's line, shown while its source
// was asked; with switches, a box for each source above its line.
class THealthList : public QWidget {
    Q_OBJECT
public:
    THealthList(QWidget* parent, QColor warningColor, bool sourceSwitches = false);

    void Show(const THealth& health, const std::optional<TServiceHealth>& startPage = std::nullopt);
    // The sources' lines below, each shown while its source was asked.
    void ShowSources(const TSourceHealth& health, const std::array<bool, SourceCount>& asked);
    TElidedLabel* Line(int service) const { return FLines[service]; }
    TElidedLabel* StartPageLine() const { return FStartPage; }
    TElidedLabel* SourceLine(int source) const { return FSourceLines[source]; }
    QCheckBox* Switch(int source) const { return FSwitches[source]; } // null without switches

private:
    void ShowLine(TElidedLabel* line, const std::string& name, const TServiceHealth& health);

    std::array<TElidedLabel*, ServiceCount> FLines{};
    TElidedLabel* FStartPage = nullptr;
    std::array<TElidedLabel*, SourceCount> FSourceLines{};
    std::array<QCheckBox*, SourceCount> FSwitches{};
    QColor FWarningColor;
};
