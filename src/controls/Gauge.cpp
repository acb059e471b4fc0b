#include "controls/Gauge.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

int GaugePercent(long long minValue, long long maxValue, long long progress)
{
    if (maxValue == minValue)
        return 0;
    return static_cast<int>(std::lrint(100.0 * static_cast<double>(progress - minValue) / static_cast<double>(maxValue - minValue)));
}

TGauge::TGauge(QWidget* parent) : QWidget(parent) {}

void TGauge::SetMinValue(long long value)
{
    FMinValue = value;
    FMaxValue = std::max(FMaxValue, value);
    SetProgress(FProgress);
}

void TGauge::SetMaxValue(long long value)
{
    FMaxValue = value;
    FMinValue = std::min(FMinValue, value);
    SetProgress(FProgress);
}

void TGauge::SetProgress(long long value)
{
    FProgress = std::clamp(value, FMinValue, FMaxValue);
    update();
}

void TGauge::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    // Drawn on an image first: exclusive-or needs the raster engine.
    QImage canvas(size(), QImage::Format_RGB32);
    QPainter p(&canvas);
    const int percent = PercentDone();
    p.fillRect(canvas.rect(), BackColor);
    p.fillRect(QRect(0, 0, width() * percent / 100, height()), ForeColor);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(Qt::white);
    QFont f = font();
    f.setStyleStrategy(QFont::NoAntialias); // blended edges would not invert cleanly
    p.setFont(f);
    p.drawText(canvas.rect(), Qt::AlignCenter, QString::asprintf("%d%%", percent));
    p.end();
    QPainter(this).drawImage(0, 0, canvas);
}
