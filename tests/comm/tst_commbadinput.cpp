// A master module that sends anything: binary noise, endless lines, NULs,
// broken negotiation, prompts at odd times. The first login must end in
// "online" or in one of the two fatal boxes (checked in child processes, as
// the boxes end the process); after a login the program must stay usable.

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>

#include "commfixture.h"
#include "rawmaster.h"

using namespace commtest;

namespace {

using Steps = QList<RawMaster::Step>;

QByteArray negotiationStorm()
{
    QByteArray bytes;
    for (int command = 0xEC; command <= 0xFF; ++command)
        for (int option = 0; option < 256; option += 3)
            bytes += QByteArray("\xff") + char(command) + char(option);
    return bytes;
}

struct FirstLoginScenario
{
    const char *name;
    const char *address;
    std::function<Steps()> script;
};

const QList<FirstLoginScenario> &firstLoginScenarios()
{
    static const QList<FirstLoginScenario> list{
        {"noise-then-login", "10.0.1.1",
         [] { return Steps{RawMaster::send(noise(65536, 7))} + RawMaster::loginSteps(); }},
        {"noise-forever", "10.0.1.2", [] { return Steps{RawMaster::stream(noise(4096, 8), 14000)}; }},
        {"endless-line", "10.0.1.3", [] { return Steps{RawMaster::stream(QByteArray(8192, 'A'), 14000)}; }},
        {"nul-flood", "10.0.1.4", [] { return Steps{RawMaster::stream(QByteArray(4096, '\0'), 14000)}; }},
        {"closed-after-login-prompt", "10.0.1.5",
         [] {
             return Steps{RawMaster::send("login: "), RawMaster::waitLines(1), RawMaster::close()};
         }},
        {"password-prompt-first", "10.0.1.6", [] { return Steps{RawMaster::send("password: ")}; }},
        {"unterminated-subnegotiation", "10.0.1.7",
         [] {
             return Steps{RawMaster::send(QByteArray("\xff\xfa\x18") + QByteArray(200000, 'x'))} +
                    RawMaster::loginSteps();
         }},
        {"negotiation-storm-then-login", "10.0.1.8",
         [] { return Steps{RawMaster::send(negotiationStorm())} + RawMaster::loginSteps(); }},
        {"prompts-between-nuls", "10.0.1.9",
         [] {
             return Steps{RawMaster::send(QByteArray("log\0in: \0pass\0word: \0", 22)), RawMaster::sleep(300),
                          RawMaster::send(QByteArray("\0login: \0", 9)), RawMaster::waitLines(1),
                          RawMaster::send(QByteArray("\xff\xf1password: \0", 13))};
         }},
    };
    return list;
}

int runFirstLoginScenario(const FirstLoginScenario &s)
{
    RawMaster master;
    if (!master.listen(QHostAddress(QString::fromLatin1(s.address)), MainWindow::kTelnetPort)) {
        std::printf("SETUP|cannot listen on %s:23\n", s.address);
        return 4;
    }
    master.setScript(s.script());
    LoginAnswer answer;
    answer.host = QString::fromLatin1(s.address);
    return runChildWindow(answer, 20000);
}

} // namespace

class TestCommBadInput : public QObject
{
    Q_OBJECT

private slots:
    void firstLoginEndsOnlineOrInAFatalBox();
    void initTestCase();
    void streamsAfterLoginLeaveTheProgramUsable_data();
    void streamsAfterLoginLeaveTheProgramUsable();
    void oddPromptsAfterLoginAreAnsweredAndHarmless();
    void cleanupTestCase();

private:
    std::unique_ptr<RawMaster> master;
    std::unique_ptr<MainWindow> window;
    MessageBoxCloser *closer = nullptr;
};

void TestCommBadInput::firstLoginEndsOnlineOrInAFatalBox()
{
    QStringList names;
    for (const auto &s : firstLoginScenarios())
        names.append(QString::fromLatin1(s.name));
    const QList<ChildRun> runs = runChildScenarios(names, 45000);
    for (const ChildRun &run : runs) {
        const QString context = QStringLiteral("[%1] after %2 ms, output:\n%3")
                                    .arg(run.scenario)
                                    .arg(run.elapsedMs)
                                    .arg(run.output.left(4000));
        QVERIFY2(run.finished && !run.crashed, qPrintable(context));
        const bool online = run.output.contains(QStringLiteral("\nONLINE"));
        const bool errorBox =
            run.output.contains(QStringLiteral("BOX|Connection error|error connecting to host|"));
        const bool timeoutBox =
            run.output.contains(QStringLiteral("BOX|Connection error|timeout connecting to host|"));
        if (run.exitCode == 0)
            QVERIFY2(online && !errorBox && !timeoutBox, qPrintable(context));
        else
            QVERIFY2(run.exitCode == 1 && (errorBox || timeoutBox) && !online, qPrintable(context));
        // The time-out is not held up by the stream: well within 10 s plus slack.
        QVERIFY2(run.elapsedMs < 16000, qPrintable(context));
    }
    auto outcome = [&](const char *name) {
        for (const ChildRun &run : runs)
            if (run.scenario == QLatin1String(name))
                return run.exitCode;
        return -1;
    };
    // Where the prompts do arrive intact the login succeeds.
    QCOMPARE(outcome("noise-then-login"), 0);
    QCOMPARE(outcome("password-prompt-first"), 0);
    QCOMPARE(outcome("negotiation-storm-then-login"), 0);
    QCOMPARE(outcome("prompts-between-nuls"), 0);
    QCOMPARE(outcome("closed-after-login-prompt"), 1);
    QCOMPARE(outcome("noise-forever"), 1);
    QCOMPARE(outcome("endless-line"), 1);
    QCOMPARE(outcome("nul-flood"), 1);
}

void TestCommBadInput::initTestCase()
{
    installGermanCatalogue();
    closer = new MessageBoxCloser(QMessageBox::Ok, this);
    master = std::make_unique<RawMaster>();
    QVERIFY2(master->listen(QHostAddress(QString::fromLatin1(kSimAddress)), MainWindow::kTelnetPort),
             "cannot listen on port 23 (not inside a network namespace?)");
    master->setScript(RawMaster::loginSteps());
    LoginAnswer answer;
    answer.host = QString::fromLatin1(kSimAddress);
    LoginDialogAnswerer answerer(answer);
    window = std::make_unique<MainWindow>();
    QVERIFY(QTest::qWaitFor([&] { return window->isEnabled(); }, kLoginTimeoutMs));
    QVERIFY(QTest::qWaitFor([&] { return window->statusBar()->currentMessage() == "online"; }, 3000));
    QVERIFY(QTest::qWaitFor([&] { return master->received.contains("gua\r\n"); }, 3000));
}

void TestCommBadInput::cleanupTestCase()
{
    window.reset();
    master.reset();
}

void TestCommBadInput::streamsAfterLoginLeaveTheProgramUsable_data()
{
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<int>("ms");
    QTest::newRow("binary noise") << noise(4096, 1) << 1500;
    QTest::newRow("endless line") << QByteArray(8192, 'A') << 1500;
    QTest::newRow("NULs") << QByteArray(4096, '\0') << 1500;
    QTest::newRow("unterminated subnegotiations")
        << QByteArray("\xff\xfa\x18") + QByteArray(4093, 'x') << 1000;
    QTest::newRow("negotiation storm") << negotiationStorm() << 1000;
    QTest::newRow("terminal escapes and stray line ends")
        << QByteArray("\x1b[2J\x1b[31mred\x1b[0m\r\r\n\n\x08\x08\x7f\t\x1b]0;title\x07").repeated(100)
        << 1000;
    QTest::newRow("invalid UTF-8 and Latin-1")
        << QByteArray("\xc3\x28\xa0\xa1\xe2\x82\xff\xff\xfe\xfe").repeated(400) << 1000;
}

void TestCommBadInput::streamsAfterLoginLeaveTheProgramUsable()
{
    QFETCH(QByteArray, pattern);
    QFETCH(int, ms);
    auto *lineEdit = window->findChild<QLineEdit *>(QStringLiteral("lineEdit"));
    auto *threshold = window->findChild<QLineEdit *>(QStringLiteral("Schwelle1_edit"));
    auto *set = window->findChild<QAbstractButton *>(QStringLiteral("Schwelle1_set_btn"));

    QVERIFY(QTest::qWaitFor([&] { return window->pendingCommands().isEmpty(); }, 10000));

    // The event loop must keep turning while the stream arrives.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    sinceTick.start();
    probe.start(20);

    master->extendScript({RawMaster::stream(pattern, ms)});
    QVERIFY(QTest::qWaitFor([&] { return master->scriptDone(); }, ms + 10000));
    QTest::qWait(200);
    probe.stop();
    QVERIFY2(longestGap < 2500,
             qPrintable(QStringLiteral("the event loop stood still for %1 ms").arg(longestGap)));

    QVERIFY(window->isEnabled());
    QVERIFY(closer->seen.isEmpty());
    QVERIFY(master->isConnected());

    // A direct line and a queued line still go out.
    const int mark = master->received.size();
    lineEdit->setText(QStringLiteral("gsm"));
    QTest::keyClick(lineEdit, Qt::Key_Return);
    threshold->setText(QString::fromLatin1(QTest::currentDataTag()).left(3));
    set->click();
    const QByteArray queued = "sv1" + QByteArray(QTest::currentDataTag()).left(3) + "\r\n";
    QVERIFY(QTest::qWaitFor([&] { return master->received.indexOf("gsm\r\n", mark) >= 0; }, 2000));
    QVERIFY(QTest::qWaitFor([&] { return master->received.indexOf(queued, mark) >= 0; }, 3000));
    QVERIFY(master->received.indexOf("gsm\r\n", mark) < master->received.indexOf(queued, mark));
}

void TestCommBadInput::oddPromptsAfterLoginAreAnsweredAndHarmless()
{
    QVERIFY(QTest::qWaitFor([&] { return window->pendingCommands().isEmpty(); }, 10000));
    const int mark = master->received.size();
    // A later "login:" is answered with the user name again; a later
    // "password:" with the password, "online" and "gua".
    master->extendScript({RawMaster::send(QByteArray("noise login: more\0", 18)),
                          RawMaster::send("text with password: inside\r\n")});
    QVERIFY(QTest::qWaitFor([&] { return master->received.indexOf("gua\r\n", mark) >= 0; }, 4000));
    const QByteArray after = master->received.mid(mark);
    QVERIFY(after.indexOf("tastarello\r\n") >= 0);
    QVERIFY(after.indexOf("kantor\r\n") > after.indexOf("tastarello\r\n"));
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("online"));
    QVERIFY(window->isEnabled());
    QVERIFY(closer->seen.isEmpty());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    const QString scenario = qEnvironmentVariable(scenarioVariable());
    if (!scenario.isEmpty()) {
        installGermanCatalogue();
        for (const auto &s : firstLoginScenarios())
            if (scenario == QLatin1String(s.name))
                return runFirstLoginScenario(s);
        return 5;
    }
    TestCommBadInput test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commbadinput.moc"
