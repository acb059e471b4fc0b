#include "app/Form1.h"

#include "controls/AdImage.h"
#include "controls/PictureView.h"
#include "platform/CatchAll.h"

#include <QResizeEvent>
#include <cmath>

// The layout has already given the strips their new sizes here.
void TForm1::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    FormResize();
}

void TForm1::FormResize()
{
    CatchAll("error code : #0038 (FormResize)", [&] {
        // Halves round to the even neighbour.
        const long left = std::lrint(panel_Banner->width() / 2.0 - AdImage1->width() / 2.0);
        AdImage1->move(static_cast<int>(left), AdImage1->y());
    });
    // The viewer fits the picture to its size when it paints.
    if (ViewerShowing())
        ViewImage->update();
}
