#pragma once
#include "controls/LuminFade.h"
#include "download/FileFetches.h"
#include "search/SearchEngine.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedLayout;
class QTimer;
class TResultList;
class TResultGrid;
class QKeyEvent;
class TIniFile;
class TPictureView;
class TAdImage;
class THealthList;
class TFramePlacer;

// The main window: the search page over the search engine, and the frame
// around it. Split over several files by concern (Form1_*.cpp).
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // settingsFile: the INI file; empty means the executable's path with ".ini".
    explicit TForm1(const std::string& settingsFile = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // The search: the window tells it what to do, shows what it holds and
    // listens to its events (ConnectEngine).
    TSearchEngine Engine;

    // --- controls (layout in Form1_Layout.cpp). Each comment gives the control's
    // designer name; handlers keep theirs (LuminFade4Click...), as the error log prints them.
    QWidget* panel_Side;
    QWidget* panel_Search;
    QWidget* panel_Header;
    QWidget* panel_Results;
    QWidget* panel_Buttons;
    QWidget* panel_Viewer;
    QWidget* panel_Banner;
    QLineEdit* PhraseEdit; // Edit1
    QLabel* image_Title; // the name and motto in the header
    TLuminFade* SearchButton;
    TLuminFade* AbortButton;
    QLabel* StatusLabel; // Label7
    QLabel* FoundLabel; // Label1
    QLabel* ProcessesLabel; // Label2
    THealthList* HealthList; // the services' health, under the side menu
    QCheckBox* CheckBox_CheckLinks;
    QCheckBox* CheckBox_RecursiveSearch;
    QCheckBox* HotBotBox; // CheckBox1
    QCheckBox* LycosBox; // CheckBox2
    QCheckBox* ScourNetBox; // CheckBox3
    QCheckBox* LycosImagesBox; // CheckBox4
    // The live sources' switches under the services' health, in Sources
    // order; each writes its settings key at once, and a search asks the
    // sources switched on there.
    QPushButton* MoreInfoButton; // Button1
    TResultList* ResultList; // ListView1
    TResultGrid* ResultGrid; // the same rows as thumbnails, in ResultList's place when shown
    QCheckBox* CheckBox_Thumbnails; // switches between the two
    QPlainTextEdit* TimeoutLog; // Memo1
    TLuminFade* OptionsButton; // LuminFade1
    TLuminFade* HomeSiteButton; // LuminFade2
    TLuminFade* AboutButton; // LuminFade3
    TLuminFade* SaveButton; // LuminFade4
    TLuminFade* BrowseButton; // LuminFade5
    TLuminFade* ViewButton; // LuminFade6
    TLuminFade* SlideShowButton; // LuminFade8
    TLuminFade* LogoButton; // LuminFade9
    TLuminFade* TellFriendButton; // LuminFade10
    QTimer* CounterTimer;    // 1000 ms
    QTimer* SlideShowTimer;
    TPictureView* ViewImage; // the viewer page's picture
    TAdImage* AdImage1; // the banner under "Please visit our sponsor:"

    std::unique_ptr<TIniFile> IniFile;
    TStringList SlideShowList;

    // --- search start and abort (Form1_Search.cpp)
    void FormCreate();
    void SearchButtonClick();
    void AbortButtonClick();
    void Edit1KeyPress(char& key);

    // --- the engine's events (Form1_Requests.cpp, Form1_Results.cpp)
    void ConnectEngine();
    void RefreshCounters(); // "Processes:", the health lines and the diagnostics window's counts
    void AddRow(TPictureSize size); // a found picture

    // --- downloads (Form1_Downloads.cpp)
    TFileFetches FileFetches; // downloads and viewer fetches, outside the scheduler
    std::string DataFolder;    // the loading picture
    std::string ScratchFolder; // the viewer's copies of pictures
    void LuminFade4Click();
    void GetFile(const std::string& url, const std::string& target, TFetchKind kind);
    void GetFileRequestDone(const TFileFetches::TResult& result);

    // --- viewer and slide show (Form1_Viewer.cpp)
    bool SlideShowStopped = false;
    void ViewImages(const std::string& path);
    void StartSlideShow();
    void FetchFirstSlide(); // the first entry of SlideShowList, if any
    void LuminFade5Click();
    void LuminFade6Click();
    void LuminFade8Click();
    std::vector<std::string> SelectedUrls() const; // FoundFiles of the selected rows, in row order

    // --- frame (Form1_Shell.cpp)
    void FormShow();
    void FormClose();
    void ShowPanel(QWidget* page); // panel_Search or panel_Viewer
    bool ViewerShowing() const;
    void FormKeyPress(char& key);
    void FormResize(); // Form1_Resize.cpp
    void Button1Click();
    void LuminFade1Click();
    void LuminFade3Click();
    void LuminFade9MouseEnter();
    void LuminFade9MouseLeave();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void CreateLayout();
    void ConnectHandlers();
    void ClearResultList();
    QStackedLayout* FPages = nullptr;
    TFramePlacer* FFramePlacer = nullptr; // the frame where LeftPos and TopPos say
    bool FShown = false;
    std::string FSettingsFile;
};

extern TForm1* Form1;
