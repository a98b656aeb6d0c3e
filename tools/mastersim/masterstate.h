#ifndef MASTERSTATE_H
#define MASTERSTATE_H

#include "manualconfig.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

// The simulated master module behind the telnet session: per-keyboard configuration in working
// memory, in flash and on the SD card, the coupler thresholds, versions and clock, its logins, and
// the interpreter of the service command lines. Some answers mention "login:" and "password:", as a
// real device's listings do.
class MasterState
{
public:
    static constexpr int kKeyboards = 8; // Manual 1..6, Pedal 1 and 2
    static constexpr int kCouplers = 8;
    static constexpr int kMaxPreTravelSteps = 10;

    enum class Mode { Playing, Configuration, Calibration, Setup };
    enum class Action { None, Quit, Restart };
    struct Reply
    {
        QString text; // lines joined by "\n", without a final line end
        Action action = Action::None;
    };

    MasterState();

    Reply execute(const QString &line);
    // A login attempt: false while the first `refused` attempts are being refused.
    bool admitLogin(int refused);
    // "Last login: ..." naming the login before this one, which it then replaces.
    QString lastLoginLine(const QString &peerAddress);
    // Power cycle: working memory is reloaded from flash, else from the SD card, else empty.
    void restart();

    const ManualConfig &manual(int keyboard) const { return m_working[keyboard - 1]; }
    Mode mode(int keyboard) const { return m_mode[keyboard - 1]; }
    int threshold(int coupler) const { return m_thresholds[coupler - 1]; }
    QString hardwareVersion() const { return m_hardwareVersion; }
    QDateTime clock() const;
    bool isFineAdjusting() const { return m_fineAdjust; }
    int firmwareUpdateKeyboard() const { return m_updateKeyboard; }
    int firmwareUpdateBoard() const { return m_updateBoard; }

    static QString keyboardName(int keyboard);
    static int maxBoard(int keyboard) { return keyboard <= 6 ? 8 : 30; }
    static int triggerValue(const ManualConfig &config, int key);

private:
    using Handler = Reply (MasterState::*)(const QString &args);
    struct Command
    {
        const char *word;
        Handler handler;
    };
    static const Command kCommands[];

    ManualConfig savedConfig(int keyboard) const;
    QString valuesText(int keyboard) const;
    QString summaryLine(int keyboard) const;

    Reply gua(const QString &args);
    Reply users(const QString &args);
    Reply security(const QString &args);
    Reply quit(const QString &args);
    Reply restartMaster(const QString &args);
    Reply setupModeAll(const QString &args);
    Reply normalModeAll(const QString &args);
    Reply setupBegin(const QString &args);
    Reply setupStop(const QString &args);
    Reply pianoPart(const QString &args);
    Reply getValues(const QString &args);
    Reply getAllValues(const QString &args);
    Reply calibrationMode(const QString &args);
    Reply calibrateMinMax(const QString &args);
    Reply standardPreTravel(const QString &args);
    Reply normalMode(const QString &args);
    Reply spread(const QString &args);
    Reply debounce(const QString &args);
    Reply preTravelShorter(const QString &args);
    Reply preTravelLonger(const QString &args);
    Reply fineAdjustBegin(const QString &args);
    Reply fineAdjustStop(const QString &args);
    Reply couplerThreshold(const QString &args);
    Reply saveCouplers(const QString &args);
    Reply startNote(const QString &args);
    Reply masterSoftware(const QString &args);
    Reply slaveSoftware(const QString &args);
    Reply hardwareGet(const QString &args);
    Reply hardwareSet(const QString &args);
    Reply dateGet(const QString &args);
    Reply dateSet(const QString &args);
    Reply timeSet(const QString &args);
    Reply flashWrite(const QString &args);
    Reply flashClear(const QString &args);
    Reply flashClearAll(const QString &args);
    Reply sdSave(const QString &args);
    Reply sdDelete(const QString &args);
    Reply firmwareBegin(const QString &args);
    Reply firmwareEnd(const QString &args);

    Reply twoDigitSetting(const QString &args, bool isSpread);
    Reply preTravelStep(const QString &args, int delta);

    std::array<ManualConfig, kKeyboards> m_working;
    std::array<std::optional<ManualConfig>, kKeyboards> m_flash;
    std::array<std::optional<ManualConfig>, kKeyboards> m_sdCard;
    std::array<Mode, kKeyboards> m_mode{};
    std::array<bool, kKeyboards> m_recording{};
    std::array<int, kCouplers> m_thresholds{};
    std::array<int, kCouplers> m_savedThresholds{}; // orgel.cnf on the SD card
    bool m_fineAdjust = false;
    int m_updateKeyboard = 0; // 0: no firmware update running
    int m_updateBoard = 0;
    QString m_hardwareVersion;
    qint64 m_clockOffsetMs = 0; // battery-backed clock: survives a restart
    // Kept across restarts, like the log of a real device.
    QDateTime m_startTime;
    int m_loginAttempts = 0;
    QDateTime m_lastLoginTime;
    QString m_lastLoginFrom;
};

#endif // MASTERSTATE_H
