#pragma once
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QVBoxLayout;
class TIniFile;
class TSearchEngine;

// What the "Sources" page shows of one source.
struct TSourceRow {
    std::string Name;
    std::string SwitchKey;  // ticked: the source is asked
    std::string PagesKey;   // answer pages a search asks of it
    int MaxPages = 20;
    std::string KeySetting; // where its API key is kept; empty: it needs none
    std::string Health;     // its line from the latest search; empty: not asked
    bool BuiltIn = true;
};

// What the page lists: every source, the user's files that were refused,
// and the folder the user's own descriptions are read from.
struct TSourceRows {
    std::vector<TSourceRow> Sources;
    std::vector<std::string> Refused;
    std::string Folder;
};

// The options dialog's "Sources" page: the licence filter above a box for
// every source (built in and the user's), its pages per search, its key
// where it needs one, and its last health line; the refused files below
// them. Rows are asked anew at every Load.
class TSourcesPage : public QWidget {
    Q_OBJECT
public:
    explicit TSourcesPage(QWidget* parent = nullptr);

    std::function<TSourceRows()> Rows;

    void Load(const TIniFile& ini);
    void Store(TIniFile& ini) const;

    struct TRowWidgets {
        QCheckBox* Switch;
        QSpinBox* Pages;
        QLineEdit* Key; // null for a source without a key
        QLabel* Health;
    };
    const std::vector<TRowWidgets>& RowWidgets() const { return FWidgets; }
    QLabel* RefusedLabel() const { return FRefused; }
    // Any licence, commercial use, changes: in TLicenceFilter's order.
    QComboBox* LicenceBox() const { return FLicence; }

private:
    TSourceRows FRows;
    std::vector<TRowWidgets> FWidgets;
    std::vector<int> FLoadedPages;
    QComboBox* FLicence = nullptr;
    QWidget* FList = nullptr;
    QLabel* FRefused = nullptr;
    QLabel* FFolder = nullptr;
};

// The rows of the engine's sources (read again when the user's folder
// changed), with their lines from its latest search.
TSourceRows SourceRowsOf(TSearchEngine& engine);
