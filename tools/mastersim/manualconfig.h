#ifndef MANUALCONFIG_H
#define MANUALCONFIG_H

#include <QChar>
#include <QVector>

// What the master module keeps for one keyboard and can write to flash or to the SD card.
struct ManualConfig
{
    int keyCount = 0;     // keys recognised by the last setup
    QVector<int> keyUp;   // sensor value of each key at rest, empty until calibrated
    QVector<int> keyDown; // sensor value of each key pressed down, empty until calibrated
    int debounceMs = 5;
    int spreadPercent = 10;
    int preTravelSteps = 0; // 0.1 mm per step, relative to the standard pre-travel
    int startNote = 36;
    QChar pianoPart; // 'l' or 's' when set up as part of a piano, null otherwise

    bool isCalibrated() const { return !keyUp.isEmpty() && keyUp.size() == keyCount; }

    bool operator==(const ManualConfig &o) const
    {
        return keyCount == o.keyCount && keyUp == o.keyUp && keyDown == o.keyDown &&
               debounceMs == o.debounceMs && spreadPercent == o.spreadPercent &&
               preTravelSteps == o.preTravelSteps && startNote == o.startNote && pianoPart == o.pianoPart;
    }
    bool operator!=(const ManualConfig &o) const { return !(*this == o); }
};

#endif // MANUALCONFIG_H
