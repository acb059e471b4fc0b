#pragma once
#include "download/ViewerFit.h"

#include <QImage>
#include <QWidget>
#include <string>

// The viewer's picture control: a black area showing one picture fitted to
// its current size, refitted whenever it is resized.
class TPictureView : public QWidget {
    Q_OBJECT
public:
    explicit TPictureView(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return FPicture; }
    // Where the picture is drawn at the control's current size.
    TPictureRect PictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage FPicture;
    QImage FScaled; // the last scaled copy, reused while the size stays
};

// Loads the picture file at path into view. On failure logs
// "error code : #0052 (ViewImages)", tells the user "Error viewing file."
// and returns false; the view keeps what it showed.
bool ViewPictureFile(TPictureView& view, const std::string& path);
