#include "app/SourcesPage.h"

#include "app/ScaledFont.h"
#include "core/Licence.h"
#include "platform/IniFile.h"
#include "platform/SettingsKeys.h"
#include "search/SearchEngine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QLabel* Small(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(ScaledFont(label->font(), 0.85));
    label->setWordWrap(true);
    return label;
}

} // namespace

TSourcesPage::TSourcesPage(QWidget* parent) : QWidget(parent)
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(2, 4, 2, 2);
    page->setSpacing(4);
    auto* licence = new QHBoxLayout;
    licence->setContentsMargins(4, 0, 4, 0);
    FLicence = new QComboBox(this);
    FLicence->addItems({"any", "allows commercial use", "allows changes"});
    FLicence->setToolTip("A source that can filter is asked for these pictures alone; a collection whose licence does "
                         "not allow it is not asked; a picture its source marks with another licence is left out, "
                         "and one it gives no licence for is kept.");
    auto* licenceLabel = new QLabel("&Licence:", this);
    licenceLabel->setBuddy(FLicence);
    licence->addWidget(licenceLabel);
    licence->addWidget(FLicence, 1);
    page->addLayout(licence);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    FList = new QWidget;
    scroll->setWidget(FList);
    page->addWidget(scroll, 1);
    FRefused = Small({}, this);
    FRefused->setStyleSheet("color: #b00000");
    page->addWidget(FRefused);
    FFolder = Small({}, this);
    FFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    page->addWidget(FFolder);
}

void TSourcesPage::Load(const TIniFile& ini)
{
    FRows = Rows ? Rows() : TSourceRows{};
    FLicence->setCurrentIndex(static_cast<int>(
        ParseLicenceFilter(Read(ini, Setting::LicenceFilter)).value_or(TLicenceFilter::Any)));
    delete FList->layout();
    for (QWidget* child : FList->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        delete child;
    FWidgets.clear();
    FLoadedPages.clear();
    auto* grid = new QGridLayout(FList);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    grid->addWidget(Small("Pages", FList), 0, 1);
    grid->addWidget(Small("Key", FList), 0, 2);
    const int allPages = Read(ini, Setting::SourcePages);
    int row = 1;
    for (const TSourceRow& source : FRows.Sources) {
        TRowWidgets w{};
        w.Switch = new QCheckBox(QString::fromStdString(source.Name) + (source.BuiltIn ? QString() : QString(" (yours)")), FList);
        w.Switch->setChecked(ini.ReadBool(Setting::Options, source.SwitchKey, false));
        w.Pages = new QSpinBox(FList);
        w.Pages->setRange(1, source.MaxPages);
        w.Pages->setValue(std::clamp(ini.ReadInteger(Setting::Options, source.PagesKey, allPages), 1, source.MaxPages));
        grid->addWidget(w.Switch, row, 0);
        grid->addWidget(w.Pages, row, 1);
        if (!source.KeySetting.empty()) {
            w.Key = new QLineEdit(QString::fromStdString(ini.ReadString(Setting::Options, source.KeySetting, "")), FList);
            w.Key->setPlaceholderText("needed");
            w.Key->setEchoMode(QLineEdit::PasswordEchoOnEdit);
            grid->addWidget(w.Key, row, 2);
        }
        w.Health = Small(source.Health.empty() ? QString("not asked yet") : QString::fromStdString(source.Health), FList);
        w.Health->setContentsMargins(20, 0, 0, 4);
        grid->addWidget(w.Health, row + 1, 0, 1, 3);
        FWidgets.push_back(w);
        FLoadedPages.push_back(w.Pages->value());
        row += 2;
    }
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(row, 1);
    QString refused;
    for (const std::string& line : FRows.Refused)
        refused += (refused.isEmpty() ? "Refused: " : "\n") + QString::fromStdString(line);
    FRefused->setText(refused);
    FRefused->setHidden(refused.isEmpty());
    FFolder->setText("Your own sources are read from " + QString::fromUtf8(FRows.Folder.c_str()) + ".");
}

void TSourcesPage::Store(TIniFile& ini) const
{
    Write(ini, Setting::LicenceFilter,
          std::string(LicenceFilterName(static_cast<TLicenceFilter>(FLicence->currentIndex()))));
    for (size_t i = 0; i < FWidgets.size() && i < FRows.Sources.size(); ++i) {
        const TSourceRow& source = FRows.Sources[i];
        const TRowWidgets& w = FWidgets[i];
        ini.WriteBool(Setting::Options, source.SwitchKey, w.Switch->isChecked());
        // A source keeps following SourcePages until its own number is changed.
        if (w.Pages->value() != FLoadedPages[i])
            ini.WriteInteger(Setting::Options, source.PagesKey, w.Pages->value());
        if (w.Key)
            ini.WriteString(Setting::Options, source.KeySetting, w.Key->text().toStdString());
    }
}

TSourceRows SourceRowsOf(TSearchEngine& engine)
{
    engine.RefreshSources();
    TSourceRows rows;
    const std::vector<TSource>& sources = engine.SourceList();
    // The latest search's lines, while its list is the one shown.
    const bool lines = engine.SourceHealth().size() == sources.size();
    for (size_t i = 0; i < sources.size(); ++i) {
        const TSource& s = sources[i];
        const bool asked = lines && engine.SourcesOn()[i];
        rows.Sources.push_back({s.Name, s.SwitchKey, s.PagesKey, s.Description.MaxPages, s.Description.KeySetting,
                                asked ? ServiceHealthText(s.Name, engine.SourceHealth()[i]) : std::string(), s.BuiltIn});
    }
    for (const TDescriptionFault& fault : engine.RefusedSources())
        rows.Refused.push_back(fault.Text());
    rows.Folder = UserSourceFolder(engine.SettingsFile());
    return rows;
}
