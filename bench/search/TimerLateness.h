#pragma once
#include <QElapsedTimer>
#include <QTimer>
#include <vector>

// Records how late each tick of a timer comes after the one before.
class TimerLateness {
public:
    explicit TimerLateness(QTimer* timer);
    double Percentile(double p) const; // ms late
    size_t Ticks() const { return FLate.size(); }

private:
    QElapsedTimer FClock;
    qint64 FLast = -1;
    int FInterval;
    std::vector<double> FLate;
};
