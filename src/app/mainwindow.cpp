#include "mainwindow.h"

#include "commandhistory.h"
#include "dialoglogin.h"
#include "displayscaling.h"
#include "panefinder.h"
#include "terminalsaver.h"
#include "terminalwriter.h"
#include "ui_mainwindow.h"

#include <QShortcut>

MainWindow::MainWindow(QWidget *parent) : MainWindow(StartOptions(), parent) {}

MainWindow::MainWindow(const StartOptions &options, QWidget *parent)
    : QMainWindow(parent),
      ui(new Ui::MainWindow), loginData{QString::fromLatin1(DialogLogin::kDefaultAddress),
                                        QString::fromLatin1(DialogLogin::kDefaultUser),
                                        QString::fromLatin1(DialogLogin::kDefaultPassword)},
      loginPending(1), manualIndex(0), pianoSelected(false), commandTimer(nullptr)
{
    // Before setupUi: the help texts are translated now, with the catalogue that
    // main() installed.
    initHelpTexts();

    commandTimer = new QTimer(this);
    connect(&connectTimeoutTimer, SIGNAL(timeout()), this, SLOT(ConnetToHostTimeout()));
    connect(commandTimer, SIGNAL(timeout()), this, SLOT(commandtimerupdate()));
    commandTimer->start(kCommandIntervalMs);

    connect(&telnet, SIGNAL(loginFailed()), this, SLOT(telnetLoginFailed()));
    connect(&telnet, SIGNAL(loggedIn()), this, SLOT(telnetLoggedIn()));
    connect(&telnet, SIGNAL(connectionError(QAbstractSocket::SocketError)), this,
            SLOT(telnetConnectionError(QAbstractSocket::SocketError)));
    connect(&telnet, SIGNAL(message(QString)), this, SLOT(displayMessage(QString)));
    // Each connection logs in afresh.
    connect(&telnet, &telnetlib1::loggedOut, this, &MainWindow::telnetConnectionEnded);
    firstLoginTrial.setSingleShot(true);

    ui->setupUi(this);
    scrollWhenSmall(this);
    // Every text reaches the pane through the writer, which keeps it bounded.
    terminal =
        new TerminalWriter(ui->Display, TerminalWriter::kMaxParagraphs, TerminalWriter::kMaxCharacters, this);
    connect(this, SIGNAL(setDisplayMessage(QString)), terminal, SLOT(append(QString)));
    // Tab 0 is already current, so currentChanged will not fire to set the label.
    ui->ManualText->setText(helpTexts[0]);
    ui->tabWidget->setCurrentIndex(0);
    commandHistory = new CommandHistory(ui->lineEdit);
    deliveryCheck.setSingleShot(true);
    connect(&deliveryCheck, &QTimer::timeout, this, &MainWindow::finishClosing);
    new TerminalSaver(ui->Display, terminal);
    finder = new PaneFinder(ui->Display);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, finder, &PaneFinder::open);

    startHost = options.host;
    telnetPort = options.port;
    startConnection();

    showMaximized();
    // Enabled again by the first answered password prompt.
    setEnabled(false);
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::showStatus(const QString &text, int colour)
{
    // Indexed by StatusColour; an unknown code keeps whatever colour the previous
    // message had.
    static const char *const styles[] = {"color: black", "color: red", "color: green", "color: blue"};
    if (colour >= 0 && colour < int(sizeof styles / sizeof *styles))
        ui->statusBar->setStyleSheet(QLatin1String(styles[colour]));
    ui->statusBar->showMessage(text);
}

void MainWindow::Manualchanged(int nr)
{
    // Pedal boards chain up to 30 slave boards, manuals and the piano at most 8.
    static constexpr int kManualBoards = 8;
    static constexpr int kPedalBoards = 30;
    static constexpr int kFirstPedal = 6;
    static constexpr int kPiano = 8;

    manualIndex = nr;
    // Signed on purpose: an emptied selector reports -1 and counts as a manual.
    if (nr < kFirstPedal) {
        pianoSelected = false;
        ui->Boardnr_select_box->setRange(1, kManualBoards);
    } else if (nr < kPiano) {
        pianoSelected = false;
        ui->Boardnr_select_box->setRange(1, kPedalBoards);
    } else {
        // The piano is addressed as manual 1 together with the piano flag.
        pianoSelected = true;
        manualIndex = 0;
        ui->Boardnr_select_box->setRange(1, kManualBoards);
    }
    ui->Boardnr_select_box->setValue(1);
}
