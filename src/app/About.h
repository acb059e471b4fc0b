#pragma once
#include <QDialog>

class QLabel;
class TLuminFade;
class TUrlLabel;

// The about box: name, version and a link to the home page. Created once at
// start and shown modally by the main window's About button.
class Tfrm_About : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_About(QWidget* parent = nullptr);

    void FormShow();
    void Image1Click();
    void LuminFade1Click();

    QLabel* Image1;
    QLabel* Label1;
    QLabel* label_Version;
    QLabel* Label2;
    QLabel* Label3;
    TUrlLabel* label_URL;
    TLuminFade* LuminFade1; // OK

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
};

extern Tfrm_About* frm_About;
