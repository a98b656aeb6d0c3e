#include "masterstate.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {
const QString kMasterSoftware = QStringLiteral("4.1.3");
const QString kSlaveSoftware = QStringLiteral("1.4.2");
const QString kDefaultHardware = QStringLiteral("2.0.0.0");
constexpr int kManualKeys = 61;
constexpr int kPedalKeys = 30;
constexpr int kPianoKeys = 88;
constexpr int kKeysPerBoard = 8;
constexpr int kStandardTriggerPermille = 300;
constexpr int kTriggerPermillePerStep = 25;
constexpr double kStandardPreTravelMm = 2.0;
constexpr double kMmPerStep = 0.1;
constexpr int kMaxMidiNote = 127;
constexpr int kMaxThreshold = 127;

MasterState::Reply ok(const QString &text)
{
    return {QStringLiteral("ok: ") + text};
}

MasterState::Reply error(const QString &text)
{
    return {QStringLiteral("error: ") + text};
}

bool isDigits(const QString &s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

// Takes the keyboard digit off the front of the arguments.
bool takeKeyboard(const QString &args, int &keyboard, QString &rest, MasterState::Reply &failure)
{
    if (args.isEmpty()) {
        failure = error(QStringLiteral("keyboard number missing (1 to 8)"));
        return false;
    }
    const QChar c = args.at(0);
    if (c < '1' || c > '8') {
        failure = error(QStringLiteral("keyboard number must be 1 to 8"));
        return false;
    }
    keyboard = c.digitValue();
    rest = args.mid(1);
    return true;
}

bool keyboardOnly(const QString &args, int &keyboard, MasterState::Reply &failure)
{
    QString rest;
    if (!takeKeyboard(args, keyboard, rest, failure))
        return false;
    if (!rest.isEmpty()) {
        failure = error(QStringLiteral("only a keyboard number (1 to 8) is expected"));
        return false;
    }
    return true;
}

// A keyboard digit followed by a board number within that keyboard's range.
bool keyboardAndBoard(const QString &args, int &keyboard, int &board, MasterState::Reply &failure)
{
    QString rest;
    if (!takeKeyboard(args, keyboard, rest, failure))
        return false;
    if (!isDigits(rest) || rest.size() > 2 || rest.toInt() < 1 ||
        rest.toInt() > MasterState::maxBoard(keyboard)) {
        failure = error(QStringLiteral("board number of %1 must be 1 to %2")
                            .arg(MasterState::keyboardName(keyboard))
                            .arg(MasterState::maxBoard(keyboard)));
        return false;
    }
    board = rest.toInt();
    return true;
}

// Plausible, repeatable sensor readings: the same key always measures the same.
int measuredValue(int keyboard, int key, bool down)
{
    const quint32 h = quint32(keyboard * 1000 + key + (down ? 500 : 0)) * 2654435761u;
    return down ? 860 + int((h >> 16) % 120) : 80 + int((h >> 16) % 60);
}

ManualConfig calibratedConfig(int keyboard, int keys)
{
    ManualConfig c;
    c.keyCount = keys;
    for (int k = 1; k <= keys; ++k) {
        c.keyUp.append(measuredValue(keyboard, k, false));
        c.keyDown.append(measuredValue(keyboard, k, true));
    }
    return c;
}

QString modeName(MasterState::Mode mode)
{
    switch (mode) {
    case MasterState::Mode::Playing:
        return QStringLiteral("playing mode");
    case MasterState::Mode::Configuration:
        return QStringLiteral("configuration mode");
    case MasterState::Mode::Calibration:
        return QStringLiteral("calibration mode");
    case MasterState::Mode::Setup:
        return QStringLiteral("setup running");
    }
    return QString();
}

QString preTravelText(int steps)
{
    return QStringLiteral("%1 mm (standard %2%3)")
        .arg(kStandardPreTravelMm + steps * kMmPerStep, 0, 'f', 1)
        .arg(steps < 0 ? QStringLiteral("-") : QStringLiteral("+"))
        .arg(qAbs(steps));
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}
} // namespace

// Longer words first, so that "sco" wins over "sc" + keyboard and "smca" over "smc" + keyboard.
const MasterState::Command MasterState::kCommands[] = {
    {"security", &MasterState::security},
    {"users", &MasterState::users},
    {"smca", &MasterState::setupModeAll},
    {"smna", &MasterState::normalModeAll},
    {"gss", &MasterState::slaveSoftware},
    {"gsm", &MasterState::masterSoftware},
    {"gva", &MasterState::getAllValues},
    {"gua", &MasterState::gua},
    {"std", &MasterState::standardPreTravel},
    {"sco", &MasterState::saveCouplers},
    {"smc", &MasterState::calibrationMode},
    {"smn", &MasterState::normalMode},
    {"tab", &MasterState::fineAdjustBegin},
    {"tas", &MasterState::fineAdjustStop},
    {"cfa", &MasterState::flashClearAll},
    {"mp+", &MasterState::firmwareBegin},
    {"mp-", &MasterState::firmwareEnd},
    {"rm", &MasterState::restartMaster},
    {"tb", &MasterState::setupBegin},
    {"ts", &MasterState::setupStop},
    {"sf", &MasterState::pianoPart},
    {"gv", &MasterState::getValues},
    {"cm", &MasterState::calibrateMinMax},
    {"ss", &MasterState::spread},
    {"sx", &MasterState::debounce},
    {"tu", &MasterState::preTravelShorter},
    {"td", &MasterState::preTravelLonger},
    {"sv", &MasterState::couplerThreshold},
    {"sn", &MasterState::startNote},
    {"gh", &MasterState::hardwareGet},
    {"sh", &MasterState::hardwareSet},
    {"gd", &MasterState::dateGet},
    {"sd", &MasterState::dateSet},
    {"sz", &MasterState::timeSet},
    {"fw", &MasterState::flashWrite},
    {"fc", &MasterState::flashClear},
    {"sc", &MasterState::sdSave},
    {"df", &MasterState::sdDelete},
    {"q", &MasterState::quit},
};

MasterState::MasterState() : m_hardwareVersion(kDefaultHardware), m_startTime(QDateTime::currentDateTime())
{
    // Factory state: a two-manual organ with a pedal, set up and calibrated, saved on the SD card.
    m_sdCard[0] = calibratedConfig(1, kManualKeys);
    m_sdCard[1] = calibratedConfig(2, kManualKeys);
    m_sdCard[6] = calibratedConfig(7, kPedalKeys);
    m_savedThresholds = {20, 40, 60, 80, 90, 100, 110, 120};
    restart();
}

void MasterState::restart()
{
    for (int k = 1; k <= kKeyboards; ++k)
        m_working[k - 1] = savedConfig(k);
    m_thresholds = m_savedThresholds;
    m_mode.fill(Mode::Playing);
    m_recording.fill(false);
    m_fineAdjust = false;
    m_updateKeyboard = 0;
    m_updateBoard = 0;
}

ManualConfig MasterState::savedConfig(int keyboard) const
{
    if (m_flash[keyboard - 1])
        return *m_flash[keyboard - 1];
    if (m_sdCard[keyboard - 1])
        return *m_sdCard[keyboard - 1];
    return ManualConfig();
}

QDateTime MasterState::clock() const
{
    return QDateTime::currentDateTime().addMSecs(m_clockOffsetMs);
}

QString MasterState::keyboardName(int keyboard)
{
    if (keyboard >= 7)
        return QStringLiteral("Pedal %1").arg(keyboard - 6);
    return QStringLiteral("Manual %1").arg(keyboard);
}

int MasterState::triggerValue(const ManualConfig &config, int key)
{
    const int up = config.keyUp.at(key - 1);
    const int down = config.keyDown.at(key - 1);
    const int permille = kStandardTriggerPermille + config.preTravelSteps * kTriggerPermillePerStep;
    return up + (down - up) * permille / 1000;
}

MasterState::Reply MasterState::execute(const QString &line)
{
    const QString text = line.trimmed();
    for (const Command &command : kCommands) {
        const auto word = QLatin1String(command.word);
        if (text.startsWith(word))
            return (this->*command.handler)(text.mid(word.size()));
    }
    // The unknown word is quoted as it came, up to the first blank.
    const QString word = text.section(QLatin1Char(' '), 0, 0).left(32);
    if (word.isEmpty())
        return {QStringLiteral("unknown command")};
    return {QStringLiteral("unknown command \"%1\"").arg(word)};
}

bool MasterState::admitLogin(int refused)
{
    return ++m_loginAttempts > refused;
}

QString MasterState::lastLoginLine(const QString &peerAddress)
{
    // As Linux writes it: "Last login: Mon Dec  7 17:46:35 2026 from 10.0.0.2".
    const QDateTime previous = m_lastLoginTime.isValid() ? m_lastLoginTime : m_startTime;
    const QLocale c = QLocale::c();
    const QString when = QStringLiteral("%1 %2 %3 %4")
                             .arg(c.toString(previous, QStringLiteral("ddd MMM")))
                             .arg(previous.date().day(), 2)
                             .arg(c.toString(previous, QStringLiteral("hh:mm:ss")))
                             .arg(previous.date().year());
    const QString from =
        m_lastLoginFrom.isEmpty() ? QStringLiteral("on console") : QStringLiteral("from ") + m_lastLoginFrom;
    m_lastLoginTime = QDateTime::currentDateTime();
    m_lastLoginFrom = peerAddress;
    return QStringLiteral("Last login: %1 %2").arg(when, from);
}

QString MasterState::summaryLine(int keyboard) const
{
    const ManualConfig &c = m_working[keyboard - 1];
    if (c.keyCount == 0)
        return QStringLiteral("%1: not set up, %2").arg(keyboardName(keyboard), modeName(mode(keyboard)));
    const int boards = keyboard <= 6
                           ? std::min(maxBoard(keyboard), (c.keyCount + kKeysPerBoard - 1) / kKeysPerBoard)
                           : c.keyCount;
    return QStringLiteral("%1: %2 keys on %3 boards, %4, %5")
        .arg(keyboardName(keyboard))
        .arg(c.keyCount)
        .arg(std::min(boards, maxBoard(keyboard)))
        .arg(c.isCalibrated() ? QStringLiteral("calibrated") : QStringLiteral("not calibrated"),
             modeName(mode(keyboard)));
}

QString MasterState::valuesText(int keyboard) const
{
    const ManualConfig &c = m_working[keyboard - 1];
    QStringList lines;
    lines << QStringLiteral("%1: %2 keys recognised, %3%4")
                 .arg(keyboardName(keyboard))
                 .arg(c.keyCount)
                 .arg(modeName(mode(keyboard)),
                      m_recording[keyboard - 1] ? QStringLiteral(", recording KeyUp/KeyDown") : QString());
    if (!c.pianoPart.isNull())
        lines << QStringLiteral("  piano part: %1").arg(c.pianoPart);
    lines << QStringLiteral("  debounce %1 ms, spread %2 %, MIDI start note %3, pre-travel %4")
                 .arg(twoDigits(c.debounceMs), twoDigits(c.spreadPercent))
                 .arg(c.startNote)
                 .arg(preTravelText(c.preTravelSteps));
    lines << QStringLiteral("  flash configuration: %1, SD card file: %2, unsaved changes: %3")
                 .arg(m_flash[keyboard - 1] ? QStringLiteral("written") : QStringLiteral("empty"),
                      m_sdCard[keyboard - 1] ? QStringLiteral("present") : QStringLiteral("none"),
                      c != savedConfig(keyboard) ? QStringLiteral("yes") : QStringLiteral("no"));
    if (c.keyCount == 0) {
        lines << QStringLiteral("  no keys recognised: run the setup first");
    } else if (!c.isCalibrated()) {
        lines << QStringLiteral("  not calibrated: no KeyUp/KeyDown values yet");
    } else {
        lines << QStringLiteral("  key  KeyUp  KeyDown  trigger");
        for (int k = 1; k <= c.keyCount; ++k) {
            lines << QStringLiteral("  %1  %2  %3  %4")
                         .arg(k, 3)
                         .arg(c.keyUp.at(k - 1), 5)
                         .arg(c.keyDown.at(k - 1), 7)
                         .arg(triggerValue(c, k), 7);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

MasterState::Reply MasterState::gua(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("gua takes no argument"));
    QStringList lines;
    lines << QStringLiteral("Tastarello master module: hardware %1, software %2")
                 .arg(m_hardwareVersion, kMasterSoftware);
    for (int k = 1; k <= kKeyboards; ++k)
        lines << QStringLiteral("  ") + summaryLine(k);
    lines << QStringLiteral("  dynamic couplers: %1").arg(kCouplers);
    return {lines.join(QLatin1Char('\n'))};
}

MasterState::Reply MasterState::users(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("users takes no argument"));
    return {QStringLiteral("users of this master module:\n"
                           "  login: tastarello  password: set   service and setup\n"
                           "  login: organist    password: none  playing only")};
}

MasterState::Reply MasterState::security(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("security takes no argument"));
    return {QStringLiteral("telnet login: required\n"
                           "password: at least 6 characters, changed by the service only\n"
                           "failed logins before a pause: 3")};
}

MasterState::Reply MasterState::quit(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("q takes no argument"));
    return {QStringLiteral("bye"), Action::Quit};
}

MasterState::Reply MasterState::restartMaster(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("rm takes no argument"));
    return {QStringLiteral("restarting master module, unsaved changes are lost"), Action::Restart};
}

MasterState::Reply MasterState::setupModeAll(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("smca takes no argument"));
    for (int k = 0; k < kKeyboards; ++k) {
        if (m_mode[k] != Mode::Setup)
            m_mode[k] = Mode::Configuration;
        m_recording[k] = false;
    }
    return ok(QStringLiteral("all keyboards in configuration mode, MIDI output off"));
}

MasterState::Reply MasterState::normalModeAll(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("smna takes no argument"));
    QStringList abandoned;
    for (int k = 0; k < kKeyboards; ++k) {
        if (m_mode[k] == Mode::Setup)
            abandoned << keyboardName(k + 1);
        m_mode[k] = Mode::Playing;
        m_recording[k] = false;
    }
    QString text = QStringLiteral("all keyboards in playing mode");
    if (!abandoned.isEmpty())
        text += QStringLiteral("; setup abandoned on ") + abandoned.join(QStringLiteral(", "));
    return ok(text);
}

MasterState::Reply MasterState::setupBegin(const QString &args)
{
    int keyboard = 0;
    QString rest;
    Reply failure;
    if (!takeKeyboard(args, keyboard, rest, failure))
        return failure;
    if (rest != QLatin1String("1"))
        return error(QStringLiteral("tb expects a keyboard number followed by 1"));
    m_mode[keyboard - 1] = Mode::Setup;
    m_recording[keyboard - 1] = false;
    return ok(QStringLiteral("setup of %1 started: press every key once, from left to right, then send ts")
                  .arg(keyboardName(keyboard)));
}

MasterState::Reply MasterState::setupStop(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("ts takes no argument"));
    QStringList done;
    for (int k = 1; k <= kKeyboards; ++k) {
        if (m_mode[k - 1] != Mode::Setup)
            continue;
        ManualConfig &c = m_working[k - 1];
        c.keyCount = !c.pianoPart.isNull() ? kPianoKeys : (k <= 6 ? kManualKeys : kPedalKeys);
        c.keyUp.clear();
        c.keyDown.clear();
        c.preTravelSteps = 0;
        m_mode[k - 1] = Mode::Configuration;
        done << QStringLiteral("%1 keys recognised on %2").arg(c.keyCount).arg(keyboardName(k));
    }
    if (done.isEmpty())
        return error(QStringLiteral("no setup running (start one with tb)"));
    return ok(QStringLiteral("setup finished: ") + done.join(QStringLiteral(", ")));
}

MasterState::Reply MasterState::pianoPart(const QString &args)
{
    int keyboard = 0;
    QString rest;
    Reply failure;
    if (!takeKeyboard(args, keyboard, rest, failure))
        return failure;
    if (rest != QLatin1String("l") && rest != QLatin1String("s"))
        return error(QStringLiteral("sf expects a keyboard number followed by l or s"));
    m_working[keyboard - 1].pianoPart = rest.at(0);
    return ok(QStringLiteral("%1 is piano part %2").arg(keyboardName(keyboard), rest));
}

MasterState::Reply MasterState::getValues(const QString &args)
{
    int keyboard = 0;
    Reply failure;
    if (!keyboardOnly(args, keyboard, failure))
        return failure;
    return {valuesText(keyboard)};
}

MasterState::Reply MasterState::getAllValues(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("gva takes no argument"));
    QStringList lines;
    lines << QStringLiteral("all values, %1").arg(clock().toString(QStringLiteral("dd.MM.yy hh:mm:ss")));
    lines << QStringLiteral("master hardware %1, software %2").arg(m_hardwareVersion, kMasterSoftware);
    QStringList thresholds;
    for (int i = 0; i < kCouplers; ++i)
        thresholds << QStringLiteral("%1=%2").arg(i + 1).arg(m_thresholds[i]);
    lines << QStringLiteral("coupler thresholds: ") + thresholds.join(QLatin1Char(' '));
    lines << QStringLiteral("fine pre-travel adjustment: %1")
                 .arg(m_fineAdjust ? QStringLiteral("active") : QStringLiteral("off"));
    for (int k = 1; k <= kKeyboards; ++k)
        lines << (m_working[k - 1].keyCount > 0 ? valuesText(k) : summaryLine(k));
    return {lines.join(QLatin1Char('\n'))};
}

MasterState::Reply MasterState::calibrationMode(const QString &args)
{
    int keyboard = 0;
    Reply failure;
    if (!keyboardOnly(args, keyboard, failure))
        return failure;
    m_mode[keyboard - 1] = Mode::Calibration;
    return ok(QStringLiteral("%1 in calibration mode").arg(keyboardName(keyboard)));
}

MasterState::Reply MasterState::calibrateMinMax(const QString &args)
{
    int keyboard = 0;
    Reply failure;
    if (!keyboardOnly(args, keyboard, failure))
        return failure;
    ManualConfig &c = m_working[keyboard - 1];
    if (c.keyCount == 0)
        return error(
            QStringLiteral("no keys recognised on %1: run the setup first").arg(keyboardName(keyboard)));
    if (m_mode[keyboard - 1] != Mode::Calibration)
        return error(QStringLiteral("%1 is not in calibration mode (send smc%2 first)")
                         .arg(keyboardName(keyboard))
                         .arg(keyboard));
    const ManualConfig measured = calibratedConfig(keyboard, c.keyCount);
    c.keyUp = measured.keyUp;
    c.keyDown = measured.keyDown;
    m_recording[keyboard - 1] = true;
    return ok(QStringLiteral("recording KeyUp and KeyDown values of %1: press every key down fully")
                  .arg(keyboardName(keyboard)));
}

MasterState::Reply MasterState::standardPreTravel(const QString &args)
{
    int keyboard = 0;
    Reply failure;
    if (!keyboardOnly(args, keyboard, failure))
        return failure;
    ManualConfig &c = m_working[keyboard - 1];
    if (!c.isCalibrated())
        return error(QStringLiteral("%1 is not calibrated").arg(keyboardName(keyboard)));
    c.preTravelSteps = 0;
    return ok(
        QStringLiteral("standard pre-travel set on %1: %2").arg(keyboardName(keyboard), preTravelText(0)));
}

MasterState::Reply MasterState::normalMode(const QString &args)
{
    int keyboard = 0;
    Reply failure;
    if (!keyboardOnly(args, keyboard, failure))
        return failure;
    QString text = QStringLiteral("%1 in playing mode").arg(keyboardName(keyboard));
    if (m_recording[keyboard - 1])
        text += QStringLiteral(", calibration recording ended");
    m_recording[keyboard - 1] = false;
    m_mode[keyboard - 1] = Mode::Playing;
    return ok(text);
}

MasterState::Reply MasterState::twoDigitSetting(const QString &args, bool isSpread)
{
    int keyboard = 0;
    QString rest;
    Reply failure;
    if (!takeKeyboard(args, keyboard, rest, failure))
        return failure;
    const QString what = isSpread ? QStringLiteral("spread") : QStringLiteral("debounce time");
    if (rest.size() != 2 || !isDigits(rest))
        return error(QStringLiteral("%1 needs exactly two digits (00 to 99)").arg(what));
    const int value = rest.toInt();
    ManualConfig &c = m_working[keyboard - 1];
    (isSpread ? c.spreadPercent : c.debounceMs) = value;
    return ok(QStringLiteral("%1 of %2 set to %3 %4")
                  .arg(what, keyboardName(keyboard), twoDigits(value),
                       isSpread ? QStringLiteral("%") : QStringLiteral("ms")));
}

MasterState::Reply MasterState::spread(const QString &args)
{
    return twoDigitSetting(args, true);
}

MasterState::Reply MasterState::debounce(const QString &args)
{
    return twoDigitSetting(args, false);
}

MasterState::Reply MasterState::preTravelStep(const QString &args, int delta)
{
    int keyboard = 0;
    Reply failure;
    if (!keyboardOnly(args, keyboard, failure))
        return failure;
    ManualConfig &c = m_working[keyboard - 1];
    if (!c.isCalibrated())
        return error(QStringLiteral("%1 is not calibrated").arg(keyboardName(keyboard)));
    if (qAbs(c.preTravelSteps + delta) > kMaxPreTravelSteps)
        return error(QStringLiteral("pre-travel of %1 is already at its %2: %3")
                         .arg(keyboardName(keyboard),
                              delta < 0 ? QStringLiteral("minimum") : QStringLiteral("maximum"),
                              preTravelText(c.preTravelSteps)));
    c.preTravelSteps += delta;
    return ok(QStringLiteral("pre-travel of %1 now %2")
                  .arg(keyboardName(keyboard), preTravelText(c.preTravelSteps)));
}

MasterState::Reply MasterState::preTravelShorter(const QString &args)
{
    return preTravelStep(args, -1);
}

MasterState::Reply MasterState::preTravelLonger(const QString &args)
{
    return preTravelStep(args, +1);
}

MasterState::Reply MasterState::fineAdjustBegin(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("tab takes no argument"));
    m_fineAdjust = true;
    return ok(QStringLiteral("fine pre-travel adjustment active: adjust on the keyboard, end with tas"));
}

MasterState::Reply MasterState::fineAdjustStop(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("tas takes no argument"));
    if (!m_fineAdjust)
        return error(QStringLiteral("fine pre-travel adjustment is not active"));
    m_fineAdjust = false;
    return ok(QStringLiteral("fine pre-travel adjustment ended, playing mode"));
}

MasterState::Reply MasterState::couplerThreshold(const QString &args)
{
    if (args.isEmpty() || args.at(0) < '1' || args.at(0) > '8')
        return error(QStringLiteral("coupler number must be 1 to 8"));
    const int coupler = args.at(0).digitValue();
    const QString value = args.mid(1);
    if (value.isEmpty())
        return error(QStringLiteral("threshold of coupler %1 missing (0 to 127)").arg(coupler));
    if (!isDigits(value) || value.size() > 3 || value.toInt() > kMaxThreshold)
        return error(QStringLiteral("threshold of coupler %1 must be a number from 0 to 127").arg(coupler));
    m_thresholds[coupler - 1] = value.toInt();
    return ok(QStringLiteral("threshold of coupler %1 set to %2").arg(coupler).arg(value.toInt()));
}

MasterState::Reply MasterState::saveCouplers(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("sco takes no argument"));
    m_savedThresholds = m_thresholds;
    return ok(QStringLiteral("coupler settings saved to orgel.cnf on the SD card"));
}

MasterState::Reply MasterState::startNote(const QString &args)
{
    int keyboard = 0;
    QString rest;
    Reply failure;
    if (!takeKeyboard(args, keyboard, rest, failure))
        return failure;
    if (!isDigits(rest) || rest.size() > 3 || rest.toInt() > kMaxMidiNote)
        return error(QStringLiteral("start note must be a number from 0 to 127"));
    m_working[keyboard - 1].startNote = rest.toInt();
    return ok(
        QStringLiteral("MIDI start note of %1 set to %2").arg(keyboardName(keyboard)).arg(rest.toInt()));
}

MasterState::Reply MasterState::masterSoftware(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("gsm takes no argument"));
    return {QStringLiteral("master software version %1\nbuilt for hardware %2")
                .arg(kMasterSoftware, m_hardwareVersion)};
}

MasterState::Reply MasterState::slaveSoftware(const QString &args)
{
    int keyboard = 0;
    int board = 0;
    Reply failure;
    if (!keyboardAndBoard(args, keyboard, board, failure))
        return failure;
    if (m_working[keyboard - 1].keyCount == 0)
        return {QStringLiteral("slave board %1 of %2: no answer (keyboard not set up)")
                    .arg(board)
                    .arg(keyboardName(keyboard))};
    return {QStringLiteral("slave board %1 of %2\nsoftware version %3")
                .arg(board)
                .arg(keyboardName(keyboard), kSlaveSoftware)};
}

MasterState::Reply MasterState::hardwareGet(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("gh takes no argument"));
    return {QStringLiteral("master hardware version %1").arg(m_hardwareVersion)};
}

MasterState::Reply MasterState::hardwareSet(const QString &args)
{
    static const QRegularExpression version(QStringLiteral("^\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}$"));
    if (!version.match(args).hasMatch())
        return error(
            QStringLiteral("hardware version must have four numbers separated by dots, like 2.0.0.0"));
    m_hardwareVersion = args;
    return ok(QStringLiteral("hardware version set to %1").arg(args));
}

MasterState::Reply MasterState::dateGet(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("gd takes no argument"));
    const QDateTime now = clock();
    return {QStringLiteral("date: %1\ntime: %2")
                .arg(now.toString(QStringLiteral("dd.MM.yy")), now.toString(QStringLiteral("hh:mm:ss")))};
}

MasterState::Reply MasterState::dateSet(const QString &args)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d\\d)\\.(\\d\\d)\\.(\\d\\d)$"));
    const auto m = pattern.match(args);
    // Two-digit years belong to this century on the device, not to 19xx as in QDate's parser.
    const QDate date = m.hasMatch()
                           ? QDate(2000 + m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt())
                           : QDate();
    if (!date.isValid())
        return error(QStringLiteral("date must be a valid dd.MM.yy"));
    const QDateTime target(date, clock().time());
    m_clockOffsetMs = QDateTime::currentDateTime().msecsTo(target);
    return ok(QStringLiteral("date set to %1").arg(date.toString(QStringLiteral("dd.MM.yy"))));
}

MasterState::Reply MasterState::timeSet(const QString &args)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d\\d):(\\d\\d)$"));
    const auto m = pattern.match(args);
    const QTime time = m.hasMatch() ? QTime(m.captured(1).toInt(), m.captured(2).toInt()) : QTime();
    if (!time.isValid())
        return error(QStringLiteral("time must be a valid hh:mm"));
    const QDateTime target(clock().date(), time);
    m_clockOffsetMs = QDateTime::currentDateTime().msecsTo(target);
    return ok(QStringLiteral("time set to %1").arg(time.toString(QStringLiteral("hh:mm"))));
}

MasterState::Reply MasterState::flashWrite(const QString &args)
{
    int keyboard = 0;
    Reply failure;
    if (!keyboardOnly(args, keyboard, failure))
        return failure;
    m_flash[keyboard - 1] = m_working[keyboard - 1];
    return ok(QStringLiteral("flash configuration of %1 written").arg(keyboardName(keyboard)));
}

MasterState::Reply MasterState::flashClear(const QString &args)
{
    int keyboard = 0;
    Reply failure;
    if (!keyboardOnly(args, keyboard, failure))
        return failure;
    m_flash[keyboard - 1].reset();
    return ok(QStringLiteral("flash configuration of %1 cleared").arg(keyboardName(keyboard)));
}

MasterState::Reply MasterState::flashClearAll(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("cfa takes no argument"));
    for (auto &f : m_flash)
        f.reset();
    return ok(QStringLiteral("all flash configurations cleared"));
}

MasterState::Reply MasterState::sdSave(const QString &args)
{
    int keyboard = 0;
    Reply failure;
    if (!keyboardOnly(args, keyboard, failure))
        return failure;
    m_sdCard[keyboard - 1] = m_working[keyboard - 1];
    return ok(QStringLiteral("configuration of %1 saved to manual%2.cnf on the SD card")
                  .arg(keyboardName(keyboard))
                  .arg(keyboard));
}

MasterState::Reply MasterState::sdDelete(const QString &args)
{
    int keyboard = 0;
    Reply failure;
    if (!keyboardOnly(args, keyboard, failure))
        return failure;
    const bool existed = m_sdCard[keyboard - 1].has_value();
    m_sdCard[keyboard - 1].reset();
    return ok(QStringLiteral("manual%1.cnf %2")
                  .arg(keyboard)
                  .arg(existed ? QStringLiteral("deleted") : QStringLiteral("did not exist")));
}

MasterState::Reply MasterState::firmwareBegin(const QString &args)
{
    int keyboard = 0;
    int board = 0;
    Reply failure;
    if (!keyboardAndBoard(args, keyboard, board, failure))
        return failure;
    if (m_updateKeyboard != 0)
        return error(QStringLiteral("firmware update of board %1 of %2 still running (end it with mp-)")
                         .arg(m_updateBoard)
                         .arg(keyboardName(m_updateKeyboard)));
    m_updateKeyboard = keyboard;
    m_updateBoard = board;
    return ok(QStringLiteral("board %1 of %2 in firmware update mode: send the firmware now")
                  .arg(m_updateBoard)
                  .arg(keyboardName(keyboard)));
}

MasterState::Reply MasterState::firmwareEnd(const QString &args)
{
    if (!args.isEmpty())
        return error(QStringLiteral("mp- takes no argument"));
    if (m_updateKeyboard == 0)
        return error(QStringLiteral("no firmware update running"));
    const QString text = QStringLiteral("firmware update of board %1 of %2 ended")
                             .arg(m_updateBoard)
                             .arg(keyboardName(m_updateKeyboard));
    m_updateKeyboard = 0;
    m_updateBoard = 0;
    return ok(text);
}
