#pragma once
#include "controls/ElidedLabel.h"
#include "core/SourceDescription.h"
#include "search/ServiceHealth.h"
#include "search/Sources.h"

#include <QColor>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

// The search services' health under a "Services:" caption: one line per
// service, cut at the list's width with the whole text in its tooltip, in
// the warning colour while it carries a warning. A
// search of an http:// phrase asks no service: its start page's line is
// shown instead. Below them, a line for each live source the latest search
// asked (the sources are switched on the options dialog's "Sources" page),
// and one for each of the user's description files that was refused.
class THealthList : public QWidget {
    Q_OBJECT
public:
    THealthList(QWidget* parent, QColor warningColor);

    void Show(const THealth& health, const std::optional<TServiceHealth>& startPage = std::nullopt);
    // The sources' lines below, each shown while its source was asked, and
    // the refused files' lines.
    void ShowSources(const std::vector<TSource>& sources, const TSourceHealth& health, const std::vector<bool>& asked,
                     const std::vector<TDescriptionFault>& refused = {});
    TElidedLabel* Line(int service) const { return FLines[service]; }
    TElidedLabel* StartPageLine() const { return FStartPage; }
    // Null for a source the list has no line for yet.
    TElidedLabel* SourceLine(int source) const
    {
        return source < static_cast<int>(FSourceLines.size()) ? FSourceLines[source] : nullptr;
    }
    const std::vector<TElidedLabel*>& RefusedLines() const { return FRefusedLines; }

private:
    void ShowLine(TElidedLabel* line, const std::string& name, const TServiceHealth& health);
    // At least count lines in lines, added above the stretch at the end.
    void Grow(std::vector<TElidedLabel*>& lines, size_t count);

    std::array<TElidedLabel*, ServiceCount> FLines{};
    TElidedLabel* FStartPage = nullptr;
    std::vector<TElidedLabel*> FSourceLines;
    std::vector<TElidedLabel*> FRefusedLines;
    QColor FWarningColor;
};
