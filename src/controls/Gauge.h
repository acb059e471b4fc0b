#pragma once
#include <QColor>
#include <QWidget>

// Whole percent done of a range: 100 * (progress - min) / (max - min),
// halves to the even neighbour; 0 for an empty range.
int GaugePercent(long long minValue, long long maxValue, long long progress);

// A horizontal progress bar with its percentage written across it; the text
// is laid over by exclusive-or with white, so it reads on both parts.
class TGauge : public QWidget {
    Q_OBJECT
public:
    explicit TGauge(QWidget* parent = nullptr);

    long long MinValue() const { return FMinValue; }
    long long MaxValue() const { return FMaxValue; }
    long long Progress() const { return FProgress; }
    void SetMinValue(long long value);
    void SetMaxValue(long long value);
    void SetProgress(long long value); // kept between min and max
    void AddProgress(long long value) { SetProgress(FProgress + value); }
    int PercentDone() const { return GaugePercent(FMinValue, FMaxValue, FProgress); }

    QColor ForeColor = Qt::black; // the bar
    QColor BackColor = Qt::white;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    long long FMinValue = 0;
    long long FMaxValue = 100;
    long long FProgress = 0;
};
