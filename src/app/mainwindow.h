#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QAbstractSocket>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QTimer>

#include "loginprompts.h"
#include "startoptions.h"
#include "telnetlib1.h"

class CommandHistory;
class PaneFinder;
class QCloseEvent;
class TerminalWriter;

namespace Ui {
class MainWindow;
}

// One entry of the command queue; carried out by commandtimerupdate, one per tick.
struct CommandEntry
{
    QString text; // command line, status text or interval in decimal ms, by kind
    int kind;     // CommandKind; any value outside 0..4 is a pause
    int param;    // StatusColour of a Status entry, else 0
};

enum CommandKind { Send = 0, Status = 1, SetInterval = 2, Reconnect = 3, Disconnect = 4, Pause = 5 };

// Colour codes of showStatus and of Status entries.
enum StatusColour { Black = 0, Red = 1, Green = 2, Blue = 3 };

struct LoginData
{
    QString host;
    QString user;
    QString password;
};

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int kHelpTextCount = 7;
    static constexpr int kCommandIntervalMs = 1000;
    static constexpr int kConnectTimeoutMs = 10000;
    static constexpr quint16 kTelnetPort = 23;

    explicit MainWindow(QWidget *parent = nullptr);
    // The login dialog starts with options.host typed in; every connection uses options.port.
    explicit MainWindow(const StartOptions &options, QWidget *parent = nullptr);
    ~MainWindow() override;

    void showStatus(const QString &text, int colour);
    void queueCommand(const QString &text, int kind, int param);
    void initHelpTexts();

    // Two digits for a typed number: "5" -> "05", "150" -> "99", "abc" -> "0abc".
    static QString twoDigitValue(const QString &text);

    // Read-only views for tests and tools; the program itself uses the members.
    int currentManualIndex() const { return manualIndex; }
    bool isPianoSelected() const { return pianoSelected; }
    const QList<CommandEntry> &pendingCommands() const { return commandQueue; }
    const LoginData &currentLoginData() const { return loginData; }
    const QString &helpText(int index) const { return helpTexts[index]; }
    telnetlib1 &telnetClient() { return telnet; }
    QTimer *commandTimerObject() const { return commandTimer; }
    TerminalWriter *terminalWriter() const { return terminal; }
    PaneFinder *paneFinder() const { return finder; }
    // Send entries of the queue that have yet to reach the master.
    int waitingCommandLines() const;

signals:
    void setDisplayMessage(QString);
    void setTabMessage(QString);

public slots:
    void Konfiguration_speichern_btn_clicked();
    void telnetLoggedIn();
    void telnetLoginFailed();
    void telnetConnectionError(QAbstractSocket::SocketError error);
    void ConnetToHostTimeout();
    void displayMessage(const QString &Text);
    void tabchanged(int TabNr);
    void Manualchanged(int nr);
    void Befehl_edit_changed(QString text);
    void Senden_btn_clicked();
    void Werte_ansehen_btn_clicked();
    void Trennen_btn_clicked();
    void Reset_Master_btn_clicked();
    void Setup_Start_Stop_btn_clicked();
    void Delete_manual_file_btn_clicked();
    void Kalibrieren_Start_Stop_btn_clicked();
    void Settings_senden_btn_clicked();
    void Settings_spreizm_btn_clicked();
    void Settings_spreizp_btn_clicked();
    void Leerreise_minus_btn_clicked();
    void Leerreise_plus_btn_clicked();
    void Leerreise_fein_startstop_btn_clicked();
    void Qrgel_cnf_save_btn_clicked();
    void Schwelle1_set_btn_clicked();
    void Schwelle2_set_btn_clicked();
    void Schwelle3_set_btn_clicked();
    void Schwelle4_set_btn_clicked();
    void Schwelle5_set_btn_clicked();
    void Schwelle6_set_btn_clicked();
    void Schwelle7_set_btn_clicked();
    void Schwelle8_set_btn_clicked();
    void Alle_Werte_anzeigen_btn_clicked();
    void Sw_version_master_read_btn_clicked();
    void Sw_version_slave_read_btn_clicked();
    void Hw_version_master_read_btn_clicked();
    void Hw_version_master_write_btn_clicked();
    void Midi_startnote_setzen_btn_clicked();
    void Master_datum_lesen_btn_clicked();
    void Master_datum_setzen_btn_clicked();
    void Firmware_startstop_btn_clicked();
    void Write_Flash_configuration_btn_clicked();
    void Clear_all_Flash_configs_btn_clicked();
    void Clear_Flash_config_btn_clicked();
    void commandtimerupdate();

protected:
    // Asks before command lines still queued would be lost.
    void closeEvent(QCloseEvent *event) override;

private:
    int manualNumber() const { return manualIndex + 1; }
    // Echo a line in the terminal pane and send it at once, past the queue.
    void sendDirect(const QString &line);
    // Construction steps 10 to 12: login dialog, connect time-out, first connection.
    void startConnection();
    // Quitting after the queued lines: each line's fate, and the end once all are out.
    void countLineOnClosing();
    void finishClosing();
    // The master asked for the login again after the password.
    void loginRefused();
    // Forgets the login of a connection that has ended.
    void telnetConnectionEnded();

    // Declaration order matters: it is the order of construction and, reversed,
    // of destruction.
    QString helpTexts[kHelpTextCount];
    QTimer connectTimeoutTimer;
    Ui::MainWindow *ui;
    telnetlib1 telnet;
    LoginData loginData;
    int loginPending;
    int manualIndex;
    bool pianoSelected : 1;
    QString commandText;
    QTimer *commandTimer;
    QList<CommandEntry> commandQueue;
    QString startHost;
    quint16 telnetPort = kTelnetPort;
    CommandHistory *commandHistory = nullptr;
    // Every text of setDisplayMessage reaches the pane through it.
    TerminalWriter *terminal = nullptr;
    PaneFinder *finder = nullptr;
    // Set once the user chose to quit after the queued lines have gone out.
    bool closeWhenSent = false;
    // Of the lines sent since: those that could not be written, and those
    // written but not yet acknowledged by the master.
    int linesNotSent = 0;
    int linesUnconfirmed = 0;
    // Waits, after the last line, for the master's acknowledgement or the
    // dead-link detection's verdict.
    QTimer deliveryCheck;
    // The prompts of the current connection.
    LoginPrompts prompts;
    // Runs from the first answered password until that login has stood for the
    // connect time-out or its connection ended: a refusal meanwhile is a failed
    // first login.
    QTimer firstLoginTrial;
};

#endif // MAINWINDOW_H
