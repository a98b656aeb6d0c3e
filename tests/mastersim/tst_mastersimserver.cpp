#include "mastersim.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// Polls every 2 ms: QTest::qWaitFor sleeps 10 ms between looks, which adds up over many steps.
bool waitUntil(const std::function<bool()> &condition, int ms = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms)
            return false;
        QTest::qWait(2);
    }
    return true;
}

// A dumb peer: a plain socket that records every byte, so that tests see the wire. The
// simulator runs in the same thread, hence all waiting spins the event loop.
struct SimClient
{
    SimClient()
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); });
        QObject::connect(&socket, &QTcpSocket::connected, [this] { wasConnected = true; });
    }
    bool connectTo(quint16 port)
    {
        socket.connectToHost(QHostAddress::LocalHost, port);
        // A refused connection may be closed before the state is polled.
        return waitUntil([this] { return wasConnected; }, 3000);
    }
    // Text with the telnet command sequences taken out.
    QByteArray text() const
    {
        QByteArray t;
        for (int i = 0; i < received.size(); ++i) {
            const auto c = uchar(received.at(i));
            const auto next = i + 1 < received.size() ? uchar(received.at(i + 1)) : 0;
            if (c != 0xff)
                t.append(char(c));
            else if (next == 0xff)
                t.append(char(0xff)), ++i;
            else if (next == 0xfa)
                i = received.indexOf("\xff\xf0", i) < 0 ? received.size()
                                                        : received.indexOf("\xff\xf0", i) + 1;
            else
                i += next >= 0xfb ? 2 : 1;
        }
        return t;
    }
    bool waitForText(const QByteArray &needle, int ms = 3000)
    {
        return waitUntil([&] { return text().contains(needle); }, ms);
    }
    bool waitClosed()
    {
        return waitUntil([this] { return socket.state() == QAbstractSocket::UnconnectedState; }, 3000);
    }
    void send(const QByteArray &bytes)
    {
        socket.write(bytes);
        socket.flush();
    }
    bool login(const QByteArray &user = "tastarello", const QByteArray &password = "kantor")
    {
        if (!waitForText("login: "))
            return false;
        send(user + "\r\n");
        if (!waitForText("password: "))
            return false;
        send(password + "\r\n");
        return waitForText("tastarello> ");
    }
    // One command line; the answer up to the next shell prompt.
    QByteArray command(const QByteArray &line)
    {
        received.clear();
        send(line + "\r\n");
        if (!waitForText("tastarello> "))
            return "<no prompt> " + text();
        return text().left(text().indexOf("tastarello> "));
    }

    QTcpSocket socket;
    QByteArray received;
    bool wasConnected = false;
};

} // namespace

// The simulator as a client meets it: a socket on 127.0.0.1, bytes on the wire.
class TstMasterSimServer : public QObject
{
    Q_OBJECT

    std::unique_ptr<MasterSim> sim;

    // A plain socket never answers the negotiation, so the login prompt comes after the time-out.
    MasterSim &startSim(const std::function<void(MasterSimOptions &)> &tweak = {})
    {
        MasterSimOptions o;
        o.negotiationTimeoutMs = 20;
        o.restartMs = 300;
        if (tweak)
            tweak(o);
        sim.reset(new MasterSim(o));
        if (!sim->listen(QHostAddress::LocalHost, 0))
            qFatal("cannot listen on 127.0.0.1");
        return *sim;
    }

private slots:
    void cleanup() { sim.reset(); }

    void negotiatesThenPrompts()
    {
        // Only a settled negotiation can bring the prompt before this time-out.
        startSim([](MasterSimOptions &o) { o.negotiationTimeoutMs = 10000; });
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(waitUntil([&] { return c.received.size() >= 12; }, 3000));
        QCOMPARE(c.received, QByteArray("\xff\xfd\x18\xff\xfb\x01\xff\xfb\x03\xff\xfd\x1f"));
        c.received.clear();
        // What the service tool offers on connecting, then its answers to the requests above.
        c.send("\xff\xfb\x25\xff\xfd\x03\xff\xfb\x22\xff\xfd\x05");
        c.send("\xff\xfb\x18\xff\xfe\x01\xff\xfc\x1f");
        QVERIFY(waitUntil([&] { return c.received.contains("\xff\xfa\x18\x01\xff\xf0"); }, 3000));
        QCOMPARE(c.received, QByteArray("\xff\xfe\x25\xff\xfe\x22\xff\xfb\x05\xff\xfa\x18\x01\xff\xf0"));
        c.send(QByteArray("\xff\xfa\x18\x00UNKNOWN\xff\xf0", 13));
        QVERIFY(c.waitForText("login: ", 2000));
        QVERIFY(c.login());
    }

    // The client's own empty lines around its answers are ignored on the way.
    void loginPaths_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("password");
        QTest::addColumn<QByteArray>("passwordPrompt");
        QTest::addColumn<bool>("accepted");
        using S = MasterSimOptions::PromptStyle;
        const auto row = [](const char *name, S style, const QByteArray &user, const QByteArray &password,
                            const QByteArray &prompt, bool accepted) {
            QTest::newRow(name) << int(style) << user << password << prompt << accepted;
        };
        row("normal", S::Normal, "tastarello", "kantor", "password: ", true);
        row("capital", S::CapitalPassword, "tastarello", "kantor", "Password: ", true);
        row("nul", S::PromptWithNul, "tastarello", "kantor", QByteArray("password: \0", 11), true);
        row("split", S::SplitPrompt, "tastarello", "kantor", "password: ", true);
        row("configured", S::Normal, "orgel", "bach1685", "password: ", true);
        row("wrong password", S::Normal, "tastarello", "kantorx", "password: ", false);
        row("user case matters", S::Normal, "Tastarello", "kantor", "password: ", false);
    }
    void loginPaths()
    {
        QFETCH(int, style);
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, password);
        QFETCH(QByteArray, passwordPrompt);
        QFETCH(bool, accepted);
        const bool configured = QTest::currentDataTag() == QLatin1String("configured");
        startSim([&](MasterSimOptions &o) {
            o.promptStyle = MasterSimOptions::PromptStyle(style);
            if (configured)
                o.user = QStringLiteral("orgel"), o.password = QStringLiteral("bach1685");
        });
        QSignalSpy loggedIn(sim.get(), &MasterSim::loggedIn);
        SimClient c;
        QList<QByteArray> reads;
        QObject::connect(&c.socket, &QTcpSocket::readyRead, [&] { reads << c.text(); });
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.waitForText(style == int(MasterSimOptions::PromptStyle::PromptWithNul)
                                  ? QByteArray("login: \0", 8)
                                  : "login: "));
        if (MasterSimOptions::PromptStyle(style) == MasterSimOptions::PromptStyle::SplitPrompt)
            QVERIFY(std::any_of(reads.begin(), reads.end(), [](const QByteArray &t) {
                return t.endsWith("log") && !t.contains("login");
            }));
        c.send("\r\n" + user + "\r\n\r\n");
        QVERIFY(c.waitForText(passwordPrompt));
        QVERIFY(c.text().endsWith(passwordPrompt));
        c.received.clear();
        c.send(password + "\r\n\r\n");
        if (!accepted) {
            QVERIFY(c.waitForText("Login incorrect\r\nlogin: "));
            QVERIFY(!sim->isLoggedIn());
            QCOMPARE(loggedIn.count(), 0);
            QVERIFY(c.login());
        }
        QVERIFY(c.waitForText("tastarello> "));
        QCOMPARE(loggedIn.count(), 1);
        c.received.clear();
        c.send("\r\n  \r\n");
        QTest::qWait(50);
        QCOMPARE(c.text(), QByteArray());
        QVERIFY(c.command("gsm").contains("master software version"));
        QCOMPARE(sim->receivedLines().size(), 1);
    }

    void recordsAndLogsCommandLines()
    {
        QTemporaryDir dir;
        const QString logFile = dir.filePath(QStringLiteral("sim.log"));
        startSim([&](MasterSimOptions &o) { o.logFile = logFile; });
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.login());
        const QDateTime before = QDateTime::currentDateTime();
        QVERIFY(c.command("gv1").contains("Manual 1: 61 keys recognised"));
        QVERIFY(c.command("sx1\xff\xff"
                          "0abc")
                    .contains("error:"));
        QVERIFY(c.command("sx1" + QByteArray(3000, '1')).startsWith("error: line too long"));
        const auto received = sim->receivedLines();
        QCOMPARE(received.size(), 3);
        QCOMPARE(received.at(0).text, QStringLiteral("gv1"));
        QCOMPARE(received.at(1).text, QString::fromLatin1("sx1\xff"
                                                          "0abc"));
        QVERIFY(received.at(0).time >= before.addMSecs(-1) && received.at(0).time <= received.at(2).time);

        QFile log(logFile);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        const QRegularExpression entry(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3} > (.*)$"),
            QRegularExpression::MultilineOption);
        QStringList logged;
        for (auto it = entry.globalMatch(text); it.hasNext();)
            logged << it.next().captured(1);
        QCOMPARE(logged.size(), 3);
        QCOMPARE(logged.first(), QStringLiteral("gv1"));
        QVERIFY(!text.contains(QLatin1String("kantor")));
    }

    void oneConnectionAtATimeQuitAndLogout()
    {
        startSim();
        SimClient first;
        QVERIFY(first.connectTo(sim->serverPort()));
        QVERIFY(first.login());
        SimClient second;
        QVERIFY(second.connectTo(sim->serverPort()));
        QVERIFY(second.waitForText("only one connection at a time"));
        QVERIFY(second.waitClosed());
        QVERIFY(!second.text().contains("login"));
        QVERIFY(first.command("gh").contains("master hardware version"));
        first.send("q\r\n");
        QVERIFY(first.waitForText("bye\r\n"));
        QVERIFY(first.waitClosed());
        QVERIFY(waitUntil([&] { return !sim->isClientConnected(); }, 3000));

        SimClient again;
        QVERIFY(again.connectTo(sim->serverPort()));
        QVERIFY(again.login());
        again.send("\xff\xfd\x12"); // DO LOGOUT
        QVERIFY(again.waitClosed());
        QVERIFY(again.received.endsWith("\xff\xfb\x12"));
    }

    void restartRefusesThenRestoresSavedState()
    {
        startSim();
        QSignalSpy restarted(sim.get(), &MasterSim::restarted);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.login());
        for (const QByteArray line : {"sx107", "fw1", "sx108", "ss230"})
            QVERIFY(c.command(line).startsWith("ok"));
        QElapsedTimer t;
        t.start();
        c.send("rm\r\n");
        QVERIFY(c.waitForText("restarting"));
        QVERIFY(c.waitClosed());
        QTcpSocket refused;
        refused.connectToHost(QHostAddress::LocalHost, sim->serverPort());
        QVERIFY(waitUntil([&] { return refused.state() == QAbstractSocket::UnconnectedState; }, 3000));
        QCOMPARE(refused.error(), QAbstractSocket::ConnectionRefusedError);
        QVERIFY(waitUntil([&] { return restarted.count() == 1; }, 3000));
        QVERIFY(t.elapsed() >= 300);
        SimClient after;
        QVERIFY(after.connectTo(sim->serverPort()));
        QVERIFY(after.login());
        QVERIFY(after.command("gv1").contains("debounce 07 ms"));
        QVERIFY(after.command("gv2").contains("spread 10 %"));
    }

    void faultSwitches()
    {
        startSim([](MasterSimOptions &o) { o.refuseConnections = true; });
        SimClient refused;
        QVERIFY(refused.connectTo(sim->serverPort()));
        QVERIFY(refused.waitClosed());
        QVERIFY(!refused.text().contains("login"));

        startSim([](MasterSimOptions &o) { o.noPasswordPrompt = true; });
        SimClient noPassword;
        QVERIFY(noPassword.connectTo(sim->serverPort()));
        QVERIFY(noPassword.waitForText("login: "));
        noPassword.send("tastarello\r\n");
        QVERIFY(!noPassword.waitForText("assword", 300));
        noPassword.send("kantor\r\n");
        QTest::qWait(50);
        QVERIFY(!sim->isLoggedIn() && sim->isClientConnected());

        startSim([](MasterSimOptions &o) { o.closeAfterLines = 2; });
        SimClient closing;
        QVERIFY(closing.connectTo(sim->serverPort()));
        QVERIFY(closing.login());
        QVERIFY(closing.command("gh").contains("master hardware version"));
        closing.received.clear();
        closing.send("gsm\r\n");
        QVERIFY(closing.waitClosed());
        QVERIFY(!closing.text().contains("software"));

        startSim([](MasterSimOptions &o) { o.answerDelayMs = 250; });
        SimClient slow;
        QVERIFY(slow.connectTo(sim->serverPort()));
        QVERIFY(slow.login());
        QElapsedTimer t;
        t.start();
        QVERIFY(slow.command("gh").contains("master hardware version"));
        QVERIFY(t.elapsed() >= 240);
    }

    // Answers behind a flood keep their order, and the simulator's loop keeps turning.
    void floodOnGva()
    {
        constexpr int kLines = 20000;
        startSim([](MasterSimOptions &o) { o.floodLines = kLines; });
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.login());
        c.received.clear();
        QElapsedTimer gap;
        qint64 longestGap = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { longestGap = qMax(longestGap, gap.restart()); });
        gap.start();
        ticker.start(5);
        c.send("gva\r\ngh\r\ngva\r\ngsm\r\n");
        QVERIFY(waitUntil([&] { return c.received.contains("master software version"); }, 30000));
        ticker.stop();
        const QByteArray text = c.text();
        const QByteArray last = "gva 20000/20000: ";
        QVERIFY(text.startsWith("gva 1/20000: "));
        QCOMPARE(text.count(last), 2);
        const int hardware = text.indexOf("master hardware version");
        QVERIFY(text.indexOf(last) < hardware && hardware < text.indexOf("gva 1/20000: ", hardware));
        QVERIFY(text.lastIndexOf(last) < text.indexOf("master software version"));
        QCOMPARE(text.count("tastarello> "), 4);
        QVERIFY2(longestGap < 500, qPrintable(QString::number(longestGap)));
    }
};

QTEST_GUILESS_MAIN(TstMasterSimServer)
#include "tst_mastersimserver.moc"
