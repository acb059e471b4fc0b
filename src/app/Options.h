#pragma once
#include "platform/IniFile.h"

class TPicturesPage;
class TSourcesPage;

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <optional>
#include <string>

// The options dialog: connection profile, size filter, Smart Save, the
// slide-show wait and (on pages of their own) the picture settings and the
// live sources, loaded
// from the settings file at every show and stored by OK. Shown modally with
// exec().
class Tfrm_Options : public QDialog {
    Q_OBJECT
public:
    Tfrm_Options(const std::string& settingsFile, QWidget* parent = nullptr);

    // Told the slide-show interval in milliseconds after every OK.
    std::function<void(int)> OnSlideShowInterval;
    // Picks a folder starting from the given one; nothing when cancelled.
    // The program sets the directory chooser here.
    std::function<std::optional<std::string>(const std::string&)> ChooseDirectory;

    void FormShow();
    void checkbox_LargerThanClick();
    void checkbox_SmallerThanClick();
    void edit_LargerThanExit();
    void edit_SmallerThanExit();
    void edit_WaitExit();
    void Button1Click();
    void BitBtn2Click();

    QRadioButton* radiobutton_Modem;
    QRadioButton* radiobutton_LAN;
    QRadioButton* radiobutton_Broadband;
    QCheckBox* checkbox_LargerThan;
    QLineEdit* edit_LargerThan;
    QCheckBox* checkbox_SmallerThan;
    QLineEdit* edit_SmallerThan;
    QLineEdit* edit_SavePath;
    QPushButton* Button1;
    QCheckBox* checkbox_SubDir;
    QCheckBox* checkbox_NumberedList;
    QLineEdit* edit_Wait;
    TPicturesPage* Pictures; // the "Pictures" page
    TSourcesPage* SourcesPage; // the "Sources" page
    QPushButton* BitBtn2; // OK
    QPushButton* BitBtn1; // Cancel

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void ValidateNumber(QLineEdit* edit);
    void SetSavePath(const std::string& path);

    QWidget* FConnection = nullptr; // the "I have a:" group
    TIniFile FIni;
    std::string FSavePath; // what edit_SavePath shows, as the disk names it
};

extern Tfrm_Options* frm_Options;
