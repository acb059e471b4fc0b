#pragma once
#include <QCheckBox>
#include <QSpinBox>
#include <QWidget>

class TIniFile;

// The options dialog's "Pictures" page: which picture types a search lists
// besides JPEG (PictureTypes), and the minimum width and height of checked
// pictures (MinWidthBool/MinWidth, MinHeightBool/MinHeight), all off unless
// the user switches them on; and whether a picture saved before is saved
// again (SaveOnce, off: every download is saved).
class TPicturesPage : public QWidget {
    Q_OBJECT
public:
    explicit TPicturesPage(QWidget* parent = nullptr);

    void Load(const TIniFile& ini);
    void Store(TIniFile& ini) const;

    QCheckBox* checkbox_Jpeg; // always ticked: JPEG pictures are always listed
    QCheckBox* checkbox_Png;
    QCheckBox* checkbox_Gif;
    QCheckBox* checkbox_Webp;
    QCheckBox* checkbox_MinWidth;
    QSpinBox* edit_MinWidth;
    QCheckBox* checkbox_MinHeight;
    QSpinBox* edit_MinHeight;
    QCheckBox* checkbox_SaveOnce;
};
