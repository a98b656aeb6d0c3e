// A master module that sends anything: binary noise, endless lines, NULs, broken negotiation,
// prompts at odd times. The first login must end in "online" or in one of the two fatal boxes
// (checked in child processes, as the boxes end the process); after a login the program must
// stay usable.

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <random>

#include "commfixture.h"

using namespace commtest;

namespace {

// A bare TCP server that plays a script of raw bytes to the first connection.
class RawMaster : public QObject
{
public:
    struct Step
    {
        enum Kind { Send, WaitLines, Close, Stream } kind;
        QByteArray data; // Send: the bytes; Stream: the pattern, written about every 10 ms
        int count = 0;   // WaitLines: further CR LF pairs; Stream: ms (an empty pattern only waits)
    };
    using Steps = QList<Step>;
    static Step send(const QByteArray &bytes) { return {Step::Send, bytes}; }
    static Step stream(const QByteArray &pattern, int ms) { return {Step::Stream, pattern, ms}; }
    // The usual prompts, each answered with one line.
    static Steps login()
    {
        return {send("\r\nlogin: "),
                {Step::WaitLines, {}, 1},
                send("password: "),
                {Step::WaitLines, {}, 1},
                send("\r\nwelcome\r\n> ")};
    }

    RawMaster(const char *address, const Steps &steps) : script(steps)
    {
        listening = server.listen(QHostAddress(QString::fromLatin1(address)), MainWindow::kTelnetPort);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *socket = server.nextPendingConnection();
            if (connection) { // one peer at a time
                socket->abort();
                return;
            }
            connection = socket;
            connect(socket, &QTcpSocket::readyRead, this, [this] {
                received += connection->readAll();
                if (waitFor >= 0 && received.count("\r\n") >= waitFor)
                    waitFor = -1, advance();
            });
            advance();
        });
        connect(&streamTimer, &QTimer::timeout, this, [this] {
            if (!connection || streamClock.hasExpired(streamMs)) {
                streamTimer.stop();
                advance();
            } else if (connection->bytesToWrite() < 4 * streamPattern.size()) {
                connection->write(streamPattern); // the pace follows the reader
            }
        });
    }
    void extend(const Steps &steps)
    {
        script += steps;
        if (connection && waitFor < 0 && !streamTimer.isActive())
            advance();
    }
    bool done() const { return connection && next >= script.size() && !streamTimer.isActive(); }

    bool listening = false;
    QByteArray received;
    QPointer<QTcpSocket> connection;

private:
    void advance()
    {
        while (connection && next < script.size()) {
            const Step step = script.at(next++);
            if (step.kind == Step::Send) {
                connection->write(step.data);
            } else if (step.kind == Step::Close) {
                connection->disconnectFromHost();
            } else if (step.kind == Step::WaitLines) {
                waitFor = received.count("\r\n") + step.count; // the answer cannot precede the prompt
                return;
            } else {
                streamPattern = step.data;
                streamMs = step.count;
                streamClock.start();
                streamTimer.start(10);
                return;
            }
        }
    }

    QTcpServer server;
    Steps script;
    int next = 0;
    int waitFor = -1;
    QTimer streamTimer;
    QElapsedTimer streamClock;
    qint64 streamMs = 0;
    QByteArray streamPattern;
};

// Reproducible noise: every byte value, IAC and NUL included.
QByteArray noise(int size, unsigned seed)
{
    std::mt19937 generator(seed);
    QByteArray data(size, '\0');
    for (char &c : data)
        c = char(generator() & 0xff);
    return data;
}

QByteArray negotiationStorm()
{
    QByteArray bytes;
    for (int command = 0xEC; command <= 0xFF; ++command)
        for (int option = 0; option < 256; option += 3)
            bytes += QByteArray("\xff") + char(command) + char(option);
    return bytes;
}

using R = RawMaster;

struct FirstLogin
{
    const char *name;
    const char *address;
    int exitCode; // 0: online, 1: a fatal box
    std::function<R::Steps()> script;
};

const QList<FirstLogin> &firstLogins()
{
    static const QList<FirstLogin> list{
        {"noise-then-login", "10.0.1.1", 0, [] { return R::Steps{R::send(noise(65536, 7))} + R::login(); }},
        {"noise-forever", "10.0.1.2", 1, [] { return R::Steps{R::stream(noise(4096, 8), 14000)}; }},
        {"endless-line", "10.0.1.3", 1, [] { return R::Steps{R::stream(QByteArray(8192, 'A'), 14000)}; }},
        {"nul-flood", "10.0.1.4", 1, [] { return R::Steps{R::stream(QByteArray(4096, '\0'), 14000)}; }},
        {"closed-after-login-prompt", "10.0.1.5", 1,
         [] {
             return R::login().mid(0, 2) << R::Step{R::Step::Close, {}};
         }},
        {"password-prompt-first", "10.0.1.6", 0, [] { return R::Steps{R::send("password: ")}; }},
        {"unterminated-subnegotiation", "10.0.1.7", 0,
         [] { return R::Steps{R::send(QByteArray("\xff\xfa\x18") + QByteArray(200000, 'x'))} + R::login(); }},
        {"negotiation-storm-then-login", "10.0.1.8", 0,
         [] { return R::Steps{R::send(negotiationStorm())} + R::login(); }},
        {"prompts-between-nuls", "10.0.1.9", 0,
         [] {
             return R::Steps{R::send(QByteArray("log\0in: \0pass\0word: \0", 22)),
                             R::stream({}, 300),
                             R::send(QByteArray("\0login: \0", 9)),
                             {R::Step::WaitLines, {}, 1},
                             R::send(QByteArray("\xff\xf1password: \0", 13))};
         }},
    };
    return list;
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
    void cleanupTestCase() { session.reset(), master.reset(); }

private:
    std::unique_ptr<RawMaster> master;
    std::unique_ptr<CommSession> session;
    MessageBoxCloser closer;
};

void TestCommBadInput::firstLoginEndsOnlineOrInAFatalBox()
{
    QStringList names;
    for (const auto &s : firstLogins())
        names.append(QString::fromLatin1(s.name));
    const QList<ChildRun> runs = runChildScenarios(names, 45000);
    for (int i = 0; i < runs.size(); ++i) {
        const ChildRun &run = runs[i];
        const QString context = QStringLiteral("[%1] after %2 ms, output:\n%3")
                                    .arg(run.scenario)
                                    .arg(run.elapsedMs)
                                    .arg(run.output.left(4000));
        QVERIFY2(run.finished && run.exitCode == firstLogins()[i].exitCode, qPrintable(context));
        const bool online = run.output.contains(QStringLiteral("\nONLINE"));
        const bool box =
            run.output.contains(QStringLiteral("BOX|Connection error|error connecting to host|")) ||
            run.output.contains(QStringLiteral("BOX|Connection error|timeout connecting to host|"));
        QVERIFY2(run.exitCode == 0 ? online && !box : box && !online, qPrintable(context));
        // The time-out is not held up by the stream: well within 10 s plus slack.
        QVERIFY2(run.elapsedMs < 16000, qPrintable(context));
    }
}

void TestCommBadInput::initTestCase()
{
    installGermanCatalogue();
    master = std::make_unique<RawMaster>(kSimAddress, RawMaster::login());
    QVERIFY2(master->listening, "cannot listen on port 23 (not inside a network namespace?)");
    session = std::make_unique<CommSession>(MasterSimOptions(), false);
    QVERIFY2(session->start(), qPrintable(session->error));
    QVERIFY(QTest::qWaitFor([&] { return master->received.contains("gua\r\n"); }, 3000));
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
    QTest::newRow("escapes, stray line ends, invalid UTF-8")
        << QByteArray("\x1b[2J\x1b[31mred\x1b[0m\r\r\n\n\x08\x7f\t\x1b]0;t\x07\xc3\x28\xa0\xe2\x82\xff\xfe")
               .repeated(200)
        << 1000;
}

void TestCommBadInput::streamsAfterLoginLeaveTheProgramUsable()
{
    QFETCH(QByteArray, pattern);
    QFETCH(int, ms);
    MainWindow *window = session->window();
    QVERIFY(session->waitForQueueEmpty(10000));

    // The event loop must keep turning while the stream arrives.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    sinceTick.start();
    probe.start(20);
    master->extend({RawMaster::stream(pattern, ms)});
    QVERIFY(QTest::qWaitFor([&] { return master->done(); }, ms + 10000));
    QTest::qWait(200);
    probe.stop();
    QVERIFY2(longestGap < 2500,
             qPrintable(QStringLiteral("the event loop stood still for %1 ms").arg(longestGap)));
    QVERIFY(window->isEnabled() && closer.seen.isEmpty());
    QVERIFY(master->connection && master->connection->state() == QAbstractSocket::ConnectedState);

    // A direct line and a queued line still go out, in that order.
    const int mark = master->received.size();
    const QString tag = QString::fromLatin1(QTest::currentDataTag()).left(3);
    QVERIFY(session
                ->perform({"text:lineEdit=gsm", "click:Senden_btn", "text:Schwelle1_edit=" + tag,
                           "click:Schwelle1_set_btn"})
                .isEmpty());
    const QByteArray queued = "sv1" + tag.toLatin1() + "\r\n";
    QVERIFY(QTest::qWaitFor([&] { return master->received.indexOf(queued, mark) >= 0; }, 3000));
    const int direct = master->received.indexOf("gsm\r\n", mark);
    QVERIFY(direct >= 0 && direct < master->received.indexOf(queued, mark));
}

void TestCommBadInput::oddPromptsAfterLoginAreAnsweredAndHarmless()
{
    QVERIFY(session->waitForQueueEmpty(10000));
    const int mark = master->received.size();
    // A later "login:" is answered with the user name again; a later "password:" with the
    // password, "online" and "gua".
    master->extend({RawMaster::send(QByteArray("noise login: more\0", 18)),
                    RawMaster::send("text with password: inside\r\n")});
    QVERIFY(QTest::qWaitFor([&] { return master->received.indexOf("gua\r\n", mark) >= 0; }, 4000));
    const QByteArray after = master->received.mid(mark);
    QVERIFY(after.indexOf("tastarello\r\n") >= 0);
    QVERIFY(after.indexOf("kantor\r\n") > after.indexOf("tastarello\r\n"));
    QCOMPARE(session->statusBar()->currentMessage(), QStringLiteral("online"));
    QVERIFY(session->window()->isEnabled() && closer.seen.isEmpty());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    const QString scenario = qEnvironmentVariable(scenarioVariable);
    if (!scenario.isEmpty()) {
        installGermanCatalogue();
        for (const auto &s : firstLogins()) {
            if (scenario == QLatin1String(s.name)) {
                RawMaster master(s.address, s.script());
                LoginAnswer answer;
                answer.host = QString::fromLatin1(s.address);
                return master.listening ? runChildWindow(answer) : 4;
            }
        }
        return 5;
    }
    TestCommBadInput test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commbadinput.moc"
