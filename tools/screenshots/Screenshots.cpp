// Saves the pictures of the program's windows shown in docs/: the main window
// at rest after a search of the sample web, the same with the pointer on
// "Save File(s)", the viewer, the services' health after a whole search,
// after one where a service changed its page format and another cannot be
// reached, after one where every service changed it, and where a service's
// certificate is signed by a CA nobody named; the results as thumbnails, the
// options dialog's general page (broadband chosen) and its picture settings,
// the directory chooser, the download window, the results of the two live
// sources alone, a Commons search in the grid of its own thumbnails, a source
// that asked to be left alone, a search of every built-in source in the grid,
// the options' "Sources" page, a user's own source searched in the grid, and
// the about box.
// Usage: glimmerscout-screenshots DIR [SUFFIX]
// With a suffix (as "-200", run at another scale), only the main window's
// pictures are made, the suffix ending their names. Exits non-zero when a
// picture could not be made.
#include "app/ExtractForm.h"
#include "app/PicturesPage.h"
#include "app/Program.h"
#include "app/SourcesPage.h"
#include "controls/PictureView.h"
#include "controls/ResultGrid.h"
#include "controls/ResultList.h"
#include "platform/drives/LocalDriveSystem.h"
#include "platform/ui/Dialogs.h"
#include "sampleweb/BaseAddressSettings.h"
#include "sampleweb/SampleWeb.h"
#include "search/SourceSet.h"
#include "platform/SettingsKeys.h"
#include "support/Loopback.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QEnterEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolTip>
#include <cstdio>
#include <filesystem>

namespace {

bool SaveImage(const QImage& image, const QString& file)
{
    const bool saved = image.save(file);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(file));
    return saved;
}

bool Save(QWidget* window, const QString& file)
{
    // Lines shown since the last turn of the loop are laid out in the next
    // one, as on the screen.
    QApplication::processEvents();
    return SaveImage(window->grab().toImage(), file);
}

// Searches until no page waits or runs; the checks may still run.
void SearchToItsEnd(TForm1& form)
{
    form.AbortButtonClick();
    form.SearchButtonClick();
    WaitUntil([&] { return form.Engine.Work().PagesQueued == 0 && form.Engine.Work().PagesHeld == 0; }, std::chrono::seconds(20));
    form.RefreshCounters();
}

// The grid's cells on screen drawn and every request the search held
// reaped: what the picture shows no longer changes.
bool AtRest(TForm1& form)
{
    const TWorkCounts work = form.Engine.Work();
    return work.PagesHeld + work.ChecksHeld == 0 && form.ResultGrid->ViewDrawn();
}

// Searches "red cars" in the grid until the engine rests and the cells on
// screen are drawn.
void SearchInTheGrid(TForm1& form)
{
    form.PhraseEdit->setText("red cars");
    form.CheckBox_Thumbnails->setChecked(true);
    SearchToItsEnd(form);
    WaitUntil([&] { return form.Engine.Idle(); }, std::chrono::seconds(30));
    form.AbortButtonClick();
    WaitUntil([&] { return AtRest(form); }, std::chrono::seconds(20));
    form.RefreshCounters();
}

// The four services answering as if their page format had changed: each
// health line carries the long warning.
bool SaveFormatChanged(TForm1& form, const std::string& settings, const sampleweb::SampleWeb& web,
                       const QString& file)
{
    TIniFile ini(settings);
    for (const auto& [key, host] : {std::pair{Setting::HotBotBaseAddress, sampleweb::Host::HotBot},
                                    std::pair{Setting::LycosBaseAddress, sampleweb::Host::Lycos},
                                    std::pair{Setting::ScourNetBaseAddress, sampleweb::Host::ScourNet}})
        Write(ini, key, web.GetAddresses().Base(host) + "/changed");
    SearchToItsEnd(form);
    form.AbortButtonClick();
    form.RefreshCounters();
    const bool saved = Save(&form, file);
    sampleweb::WriteBaseAddressSettings(settings, web.GetAddresses());
    return saved;
}

// The first selected picture in the viewer, fetched from the sample web.
bool SaveViewer(TForm1& form, const QString& file)
{
    form.LuminFade6Click(); // shows the loading picture until the picture arrives
    const qint64 loading = form.ViewImage->Picture().cacheKey();
    const bool shown = WaitUntil([&] { return form.ViewImage->Picture().cacheKey() != loading; },
                                 std::chrono::seconds(20));
    const bool saved = shown && form.ViewerShowing() && Save(form.panel_Viewer, file);
    form.ShowPanel(form.panel_Search);
    return saved;
}

// The chooser's one drive for the picture: a user's home, whose folders lie
// in a temporary folder.
class TPictureDrives : public TLocalDriveSystem {
public:
    explicit TPictureDrives(std::string real) : FReal(std::move(real)) {}

    std::vector<TDrive> Drives() override { return {{.Root = "/home/", .Kind = drtFixed, .Label = "home"}}; }
    std::string VolumeSerial(const TDrive&) override { return "1"; }
    void ListFolder(const std::string& path, const std::function<bool(const TDirRec&)>& each) override
    {
        TLocalDriveSystem::ListFolder(FReal + path, each);
    }
    bool FolderExists(const std::string& path) override { return TLocalDriveSystem::FolderExists(FReal + path); }
    bool CreateFolder(const std::string& path) override { return TLocalDriveSystem::CreateFolder(FReal + path); }
    std::string CurrentDirectory() override { return "/home/anna"; }

private:
    std::string FReal;
};

bool SaveChooser(const QString& file)
{
    TempDir folders;
    for (const char* name : {"home/anna/Documents", "home/anna/Pictures/holidays", "home/anna/Pictures/cars/red",
                             "home/anna/Pictures/cars/classic", "home/anna/Pictures/wallpapers", "home/ben"})
        std::filesystem::create_directories(folders.File(name));
    TExtractForm chooser(nullptr, std::make_shared<TPictureDrives>(folders.Path()));
    chooser.show();
    chooser.DirTree1->SelectPath("/home/anna/Pictures/cars");
    chooser.DirTree1->currentItem()->setExpanded(true);
    return chooser.DirTree1->GetSelectedPath() == "/home/anna/Pictures/cars/" && Save(&chooser, file);
}

bool SaveDownloads(Tfrm_Download& window, const QString& file)
{
    window.SetSavePath("/home/anna/Pictures/red cars");
    for (const char* name : {"ferrari_f40.jpg", "beetle-1967.jpg", "corvette.jpg", "mustang.jpg", "fiat500.jpg"})
        window.AddToQueue(name);
    window.show();
    window.FileDownloaded("mustang.jpg");
    window.FileDownloaded("fiat500.jpg");
    window.ListBox1->setCurrentRow(0);
    const bool saved = Save(&window, file);
    window.hide();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s DIR [SUFFIX]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const bool mainWindowOnly = argc == 3;
    const QString suffix = mainWindowOnly ? QString::fromLocal8Bit(argv[2]) : QString();
    Dialogs::SetResponder([](const Dialogs::Request&) { return Dialogs::Answer{false, {}}; });
    sampleweb::SampleWeb web;
    web.Start();
    TempDir settings;
    const std::string settingsFile = settings.File("glimmerscout.ini");
    sampleweb::WriteBaseAddressSettings(settingsFile, web.GetAddresses());
    TProgram program(settingsFile);
    TForm1& form = program.form1;
    form.show();
    form.PhraseEdit->setText("red cars");
    form.SearchButtonClick();
    bool ok = WaitUntil([&] { return form.ResultList->RowCount() >= 19; }, std::chrono::seconds(20));
    form.AbortButtonClick();
    form.ResultList->SelectRow(2);
    ok = Save(&form, dir + "/main-window" + suffix + ".png") && ok;
    if (!mainWindowOnly) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(form.SaveButton, &enter);
        ok = Save(&form, dir + "/main-window-hover.png") && ok;
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(form.SaveButton, &leave);
        ok = SaveViewer(form, dir + "/viewer.png") && ok;
    }
    ok = SaveFormatChanged(form, settingsFile, web, dir + "/health-format-changed" + suffix + ".png") && ok;
    if (mainWindowOnly) {
        web.Stop();
        return ok ? 0 : 1;
    }
    SearchToItsEnd(form);
    ok = Save(&form, dir + "/health-line.png") && ok;
    TIniFile ini(settings.File("glimmerscout.ini"));
    Write(ini, Setting::ScourNetBaseAddress, web.GetAddresses().Base(sampleweb::Host::ScourNet) + "/changed");
    Write(ini, Setting::HotBotBaseAddress, "http://127.0.0.1:" + std::to_string(FreeLoopbackPort()));
    SearchToItsEnd(form);
    ok = Save(&form, dir + "/health-warning.png") && ok;
    // HotBot over TLS, its CA not trusted; ScourNet as it was.
    Write(ini, Setting::HotBotBaseAddress, web.GetSecureAddresses().Base(sampleweb::Host::HotBot));
    Write(ini, Setting::ScourNetBaseAddress, web.GetAddresses().Base(sampleweb::Host::ScourNet));
    SearchToItsEnd(form);
    ok = Save(&form, dir + "/health-certificate.png") && ok;
    form.AbortButtonClick();

    sampleweb::WriteBaseAddressSettings(settings.File("glimmerscout.ini"), web.GetAddresses());
    form.CheckBox_Thumbnails->setChecked(true);
    form.SearchButtonClick();
    WaitUntil([&] { return form.ResultList->RowCount() >= 19; }, std::chrono::seconds(20));
    // The first picture once more, under another name of its host: a look-alike.
    std::string copy = form.Engine.FoundFiles()[0];
    if (const size_t at = copy.find("127.0.0.1"); at != std::string::npos)
        form.Engine.AddToListView(copy.replace(at, 9, "localhost"), TPictureSize::Unchecked());
    form.AbortButtonClick();
    form.ResultList->SelectRow(2);
    WaitUntil([&] { return AtRest(form); }, std::chrono::seconds(20));
    form.RefreshCounters();
    ok = Save(&form, dir + "/thumbnail-grid.png") && ok;
    // Every row's thumbnail, so that each finds its look-alikes.
    form.ResultGrid->FetchEveryRow(true);
    WaitUntil([&] {
        return form.ResultGrid->Fetches.Running() == 0 && form.ResultGrid->Fetches.Waiting() == 0
               && form.ResultGrid->Cache.Count() >= static_cast<size_t>(form.ResultList->RowCount());
    }, std::chrono::seconds(30));
    form.ResultGrid->viewport()->update();
    ok = Save(&form, dir + "/lookalike-grid.png") && ok;
    form.ResultGrid->FetchEveryRow(false);
    form.CheckBox_Thumbnails->setChecked(false);

    ini.WriteString(Setting::Options, "SavePath", "/home/anna/Pictures");
    program.options.show();
    program.options.radiobutton_Broadband->setChecked(true);
    ok = Save(&program.options, dir + "/options-dialog.png") && ok;
    program.options.findChild<QTabWidget*>()->setCurrentIndex(1);
    program.options.Pictures->checkbox_Png->setChecked(true);
    program.options.Pictures->checkbox_Webp->setChecked(true);
    program.options.Pictures->checkbox_MinWidth->setChecked(true);
    ok = Save(&program.options, dir + "/options-pictures.png") && ok;
    program.options.findChild<QTabWidget*>()->setCurrentIndex(0);
    program.options.hide();
    ok = SaveChooser(dir + "/directory-chooser.png") && ok;
    ok = SaveDownloads(program.download, dir + "/download-window.png") && ok;

    // The live sources alone, every check answered.
    for (QCheckBox* box : {form.HotBotBox, form.LycosBox, form.ScourNetBox, form.LycosImagesBox})
        box->setChecked(false);
    for (const TSettingsKey& source : {Setting::SearchCommons, Setting::SearchOpenverse})
        form.IniFile->WriteBool(source.Section, source.Key, true);
    SearchToItsEnd(form);
    WaitUntil([&] { return form.Engine.Work().ChecksQueued == 0 && form.Engine.Work().ChecksHeld == 0; }, std::chrono::seconds(20));
    form.RefreshCounters();
    form.AbortButtonClick();
    ok = Save(&form, dir + "/live-sources.png") && ok;

    // Every built-in source at once, in the grid, and the options' page of
    // switches with each one's line from that search.
    for (const TSource& source : BuiltInSourceList())
        ini.WriteBool(Setting::Options, source.SwitchKey, true);
    SearchInTheGrid(form);
    ok = Save(&form, dir + "/six-sources-grid.png") && ok;
    form.CheckBox_Thumbnails->setChecked(false);
    program.options.show();
    program.options.findChild<QTabWidget*>()->setCurrentIndex(2);
    ok = Save(&program.options, dir + "/options-sources.png") && ok;
    program.options.hide();

    // The same search kept to pictures that allow commercial use: the V&A's
    // line on the page says why it was not asked.
    Write(ini, Setting::LicenceFilter, std::string("commercial"));
    SearchToItsEnd(form);
    WaitUntil([&] { return form.Engine.Idle(); }, std::chrono::seconds(30));
    form.AbortButtonClick();
    program.options.show();
    const auto& rows = program.options.SourcesPage->RowWidgets();
    QApplication::processEvents();
    if (rows.size() > 4)
        program.options.SourcesPage->findChild<QScrollArea*>()->ensureWidgetVisible(rows[4].Health, 0, 8);
    ok = Save(&program.options, dir + "/options-licence.png") && ok;
    program.options.hide();
    Write(ini, Setting::LicenceFilter, std::string("any"));
    for (const TSource& source : BuiltInSourceList())
        ini.WriteBool(Setting::Options, source.SwitchKey, source.ShortName == "commons" || source.ShortName == "openverse");


    // Commons alone, a phrase beyond ASCII, three types: the grid from the
    // thumbnails Commons serves, the rows under their decoded names.
    ini.WriteString(Setting::Options, Setting::PictureTypes.Key, "jpeg,png,webp");
    ini.WriteBool(Setting::Options, Setting::SearchOpenverse.Key, false);
    form.PhraseEdit->setText("Zürich");
    form.CheckBox_Thumbnails->setChecked(true);
    SearchToItsEnd(form);
    form.AbortButtonClick();
    WaitUntil([&] {
        return form.ResultGrid->Cache.Count() >= static_cast<size_t>(form.ResultList->RowCount())
               && form.ResultGrid->Fetches.Running() == 0;
    }, std::chrono::seconds(20));
    form.RefreshCounters();
    ok = Save(&form, dir + "/source-thumbnails.png") && ok;

    // Both sources, PNG chosen, Openverse refusing its second page: its
    // health line says when it may be asked again.
    ini.WriteString(Setting::Options, Setting::PictureTypes.Key, "jpeg,png");
    Write(ini, Setting::OpenverseBaseAddress, web.GetAddresses().Base(sampleweb::Host::Openverse) + "/throttled");
    ini.WriteBool(Setting::Options, Setting::SearchOpenverse.Key, true);
    form.CheckBox_Thumbnails->setChecked(false);
    SearchToItsEnd(form);
    form.AbortButtonClick();
    form.RefreshCounters();
    ok = Save(&form, dir + "/source-rate-limited.png") && ok;

    // These rows in the list, wide enough for the credit column, the
    // credit of the first row with a licence as its tooltip (a window of its
    // own, drawn in).
    form.CheckBox_Thumbnails->setChecked(false);
    const QSize before = form.size();
    form.resize(1100, 520);
    for (int column = 0; column < form.ResultList->Rows->columnCount(); ++column)
        form.ResultList->resizeColumnToContents(column);
    int credited = 0;
    while (credited + 1 < form.ResultList->RowCount() && form.ResultList->Text(credited, TResultRows::CreditColumn).isEmpty())
        ++credited;
    const QModelIndex first = form.ResultList->Rows->index(credited, 0);
    const QPoint at = form.ResultList->viewport()->mapToGlobal(form.ResultList->visualRect(first).center());
    QToolTip::showText(at, first.data(Qt::ToolTipRole).toString(), form.ResultList->viewport());
    QApplication::processEvents();
    QImage shot = form.grab().toImage();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->inherits("QTipLabel") && window->isVisible()) {
            QPainter painter(&shot);
            painter.drawPixmap(form.mapFromGlobal(window->pos()), window->grab());
        }
    QToolTip::hideText();
    ok = SaveImage(shot, dir + "/credit-tooltip.png") && ok;
    form.resize(before);

    // A user's own description, of an API the program does not know (the
    // Library of Congress's stand-in described anew), put beside the
    // settings file and read at the next search: its pictures in the grid,
    // its health line in the side panel.
    const std::string sources = UserSourceFolder(settingsFile);
    std::filesystem::create_directories(sources);
    WriteFile(sources + "/photos.json", R"({
  "name": "Photos",
  "shortName": "photos",
  "request": {"url": "https://photos.example/photos/?fo=json&q={searchTerms}&c={count}&sp={startPage}"},
  "paging": {"by": "page", "count": 20, "maxPages": 2, "next": "$.pagination.next"},
  "answer": {"expect": "$.pagination", "results": "$.results[*]", "picture": "@.image_url[1]",
             "thumbnail": "@.image_url[0]", "title": "@.title", "creator": "@.contributor[0]", "page": "@.url"}
})");
    for (const TSource& source : BuiltInSourceList())
        ini.WriteBool(Setting::Options, source.SwitchKey, false);
    ini.WriteBool(Setting::Options, "SearchPhotos", true);
    ini.WriteString(Setting::Options, "PhotosBaseAddress", web.GetAddresses().Base(sampleweb::Host::Museums));
    SearchInTheGrid(form);
    ok = Save(&form, dir + "/user-source.png") && ok;
    form.CheckBox_Thumbnails->setChecked(false);

    program.about.show();
    ok = Save(&program.about, dir + "/about-box.png") && ok;
    program.about.hide();
    web.Stop();
    return ok ? 0 : 1;
}
