#pragma once

// Where the viewer draws a picture of W x H on a page: a picture smaller
// than the page in both directions keeps its size and is centred; any other
// is scaled to fit, keeping its proportions, 5 pixels short of the exact fit.
struct TPictureRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TPictureRect&) const = default;
};

TPictureRect FitPicture(int pictureWidth, int pictureHeight, int pageWidth, int pageHeight);
