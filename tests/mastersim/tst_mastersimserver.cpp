#include "mastersim.h"
#include "masterstate.h"
#include "simclient.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

// The simulator as a client meets it: a socket on 127.0.0.1, bytes on the wire.
class TstMasterSimServer : public QObject
{
    Q_OBJECT

    std::unique_ptr<MasterSim> sim;

    MasterSim &startSim(MasterSimOptions options = MasterSimOptions())
    {
        sim.reset(new MasterSim(options));
        if (!sim->listen(QHostAddress::LocalHost, 0))
            qFatal("cannot listen on 127.0.0.1");
        return *sim;
    }

    // A plain socket never answers the negotiation, so the login prompt comes after the time-out.
    static MasterSimOptions quick()
    {
        MasterSimOptions o;
        o.negotiationTimeoutMs = 20;
        o.restartMs = 300;
        return o;
    }

private slots:
    void cleanup() { sim.reset(); }

    void negotiatesThenPrompts()
    {
        MasterSimOptions o;
        o.negotiationTimeoutMs = 10000; // so only a settled negotiation can bring the prompt
        startSim(o);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(SimClient::waitUntil([&] { return c.received.size() >= 12; }));
        QCOMPARE(c.received, QByteArray("\xff\xfd\x18\xff\xfb\x01\xff\xfb\x03\xff\xfd\x1f"));
        c.received.clear();
        // What the service tool sends on connecting, then its answers to the requests above.
        c.send("\xff\xfb\x25\xff\xfd\x03\xff\xfb\x22\xff\xfd\x05");
        c.send("\xff\xfb\x18\xff\xfe\x01\xff\xfc\x1f");
        QVERIFY(SimClient::waitUntil([&] { return c.received.contains("\xff\xfa\x18\x01\xff\xf0"); }));
        QCOMPARE(c.received, QByteArray("\xff\xfe\x25\xff\xfe\x22\xff\xfb\x05\xff\xfa\x18\x01\xff\xf0"));
        QElapsedTimer t;
        t.start();
        c.send(QByteArray("\xff\xfa\x18\x00UNKNOWN\xff\xf0", 13));
        QVERIFY(c.waitForText("login: "));
        QVERIFY(t.elapsed() < 2000);
        QVERIFY(c.login());
    }

    void requestedAuthenticationThenLogin()
    {
        MasterSimOptions o = quick();
        o.authMode = MasterSimOptions::AuthMode::Request;
        startSim(o);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        c.send("\xff\xfb\x25");
        QVERIFY(SimClient::waitUntil([&] {
            return c.received.contains(QByteArray("\xff\xfd\x25\xff\xfa\x25\x01\x00\x00\xff\xf0", 11));
        }));
        c.send(QByteArray("\xff\xfa\x25\x00\x00\x00\xff\xf0", 8));
        QVERIFY(c.login());
    }

    void promptStyles_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QByteArray>("loginPrompt");
        QTest::addColumn<QByteArray>("passwordPrompt");
        QTest::newRow("normal") << int(MasterSimOptions::PromptStyle::Normal) << QByteArray("login: ")
                                << QByteArray("password: ");
        QTest::newRow("capital") << int(MasterSimOptions::PromptStyle::CapitalPassword)
                                 << QByteArray("login: ") << QByteArray("Password: ");
        QTest::newRow("nul") << int(MasterSimOptions::PromptStyle::PromptWithNul)
                             << QByteArray("login: \0", 8) << QByteArray("password: \0", 11);
        QTest::newRow("split") << int(MasterSimOptions::PromptStyle::SplitPrompt) << QByteArray("login: ")
                               << QByteArray("password: ");
    }
    void promptStyles()
    {
        QFETCH(int, style);
        QFETCH(QByteArray, loginPrompt);
        QFETCH(QByteArray, passwordPrompt);
        MasterSimOptions o = quick();
        o.promptStyle = MasterSimOptions::PromptStyle(style);
        startSim(o);
        SimClient c;
        QList<QByteArray> reads;
        QObject::connect(&c.socket, &QTcpSocket::readyRead, [&] { reads << c.text(); });
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.waitForText(loginPrompt));
        if (o.promptStyle == MasterSimOptions::PromptStyle::SplitPrompt) {
            QVERIFY(std::any_of(reads.begin(), reads.end(), [](const QByteArray &t) {
                return t.endsWith("log") && !t.contains("login");
            }));
        }
        c.sendLine("tastarello");
        QVERIFY(c.waitForText(passwordPrompt));
        QVERIFY(c.text().endsWith(passwordPrompt));
        c.sendLine("kantor");
        QVERIFY(c.waitForText("tastarello> "));
        QVERIFY(sim->isLoggedIn());
    }

    void wrongCredentialsAskAgain_data()
    {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("password");
        QTest::newRow("wrong password") << QByteArray("tastarello") << QByteArray("kantorx");
        QTest::newRow("wrong user") << QByteArray("organist") << QByteArray("kantor");
        QTest::newRow("case matters") << QByteArray("Tastarello") << QByteArray("kantor");
    }
    void wrongCredentialsAskAgain()
    {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, password);
        startSim(quick());
        QSignalSpy loggedIn(sim.get(), &MasterSim::loggedIn);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.waitForText("login: "));
        c.sendLine(user);
        QVERIFY(c.waitForText("password: "));
        c.received.clear();
        c.sendLine(password);
        QVERIFY(c.waitForText("Login incorrect\r\nlogin: "));
        QVERIFY(!sim->isLoggedIn());
        QCOMPARE(loggedIn.count(), 0);
        c.received.clear();
        c.sendLine("tastarello");
        QVERIFY(c.waitForText("password: "));
        c.sendLine("kantor");
        QVERIFY(c.waitForText("tastarello> "));
        QCOMPARE(loggedIn.count(), 1);
    }

    void configuredCredentials()
    {
        MasterSimOptions o = quick();
        o.user = QStringLiteral("orgel");
        o.password = QStringLiteral("bach1685");
        startSim(o);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.login("orgel", "bach1685"));
    }

    // The service tool's telnet client adds bare CR LF lines to its answers of the prompts.
    void emptyLinesAreIgnored()
    {
        startSim(quick());
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.waitForText("login: "));
        c.send("\r\ntastarello\r\n\r\n");
        QVERIFY(c.waitForText("password: "));
        c.send("kantor\r\n\r\n");
        QVERIFY(c.waitForText("tastarello> "));
        c.received.clear();
        c.send("\r\n  \r\n");
        QTest::qWait(50);
        QCOMPARE(c.text(), QByteArray());
        QVERIFY(c.command("gsm").contains("master software version"));
        QVERIFY(!c.text().contains("Login incorrect"));
        QCOMPARE(sim->receivedLines().size(), 1);
    }

    void recordsCommandLines()
    {
        startSim(quick());
        QSignalSpy lines(sim.get(), &MasterSim::lineReceived);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.login());
        const QDateTime before = QDateTime::currentDateTime();
        QVERIFY(c.command("gv1").contains("Manual 1: 61 keys recognised"));
        QVERIFY(c.command("sx1\xff\xff"
                          "0abc")
                    .contains("error:"));
        QVERIFY(c.command("gsm").contains("4.1.3"));
        QVERIFY(c.command("sx1" + QByteArray(3000, '1')).startsWith("error: line too long"));
        const auto received = sim->receivedLines();
        QCOMPARE(received.size(), 4);
        QCOMPARE(received.at(0).text, QStringLiteral("gv1"));
        QCOMPARE(received.at(1).text, QString::fromLatin1("sx1\xff"
                                                          "0abc"));
        QVERIFY(received.at(0).time >= before.addMSecs(-1));
        QVERIFY(received.at(0).time <= received.at(2).time);
        QCOMPARE(lines.count(), 4);
        sim->clearReceivedLines();
        QVERIFY(sim->receivedLines().isEmpty());
    }

    void secondConnectionIsRefused()
    {
        startSim(quick());
        SimClient first;
        QVERIFY(first.connectTo(sim->serverPort()));
        QVERIFY(first.login());
        SimClient second;
        QVERIFY(second.connectTo(sim->serverPort()));
        QVERIFY(second.waitForText("only one connection at a time"));
        QVERIFY(second.waitClosed());
        QVERIFY(!second.text().contains("login"));
        QVERIFY(first.command("gh").contains("master hardware version"));
    }

    void quitClosesAndAcceptsAgain()
    {
        startSim(quick());
        QSignalSpy disconnected(sim.get(), &MasterSim::clientDisconnected);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.login());
        c.sendLine("q");
        QVERIFY(c.waitForText("bye\r\n"));
        QVERIFY(c.waitClosed());
        QVERIFY(SimClient::waitUntil([&] { return disconnected.count() == 1; }));
        QVERIFY(!sim->isClientConnected());
        SimClient again;
        QVERIFY(again.connectTo(sim->serverPort()));
        QVERIFY(again.login());
    }

    void logoutClosesTheConnection()
    {
        startSim(quick());
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.login());
        c.send("\xff\xfd\x12");
        QVERIFY(c.waitClosed());
        QVERIFY(c.received.endsWith("\xff\xfb\x12"));
    }

    void restartRefusesThenRestoresSavedState()
    {
        startSim(quick());
        QSignalSpy restarted(sim.get(), &MasterSim::restarted);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.login());
        QVERIFY(c.command("sx107").startsWith("ok"));
        QVERIFY(c.command("fw1").startsWith("ok"));
        QVERIFY(c.command("sx108").startsWith("ok"));
        QVERIFY(c.command("ss230").startsWith("ok"));
        QElapsedTimer t;
        t.start();
        c.sendLine("rm");
        QVERIFY(c.waitForText("restarting"));
        QVERIFY(c.waitClosed());
        QVERIFY(sim->isRestarting());
        QTcpSocket refused;
        refused.connectToHost(QHostAddress::LocalHost, sim->serverPort());
        QVERIFY(SimClient::waitUntil([&] { return refused.state() == QAbstractSocket::UnconnectedState; }));
        QCOMPARE(refused.error(), QAbstractSocket::ConnectionRefusedError);
        QVERIFY(SimClient::waitUntil([&] { return restarted.count() == 1; }));
        QVERIFY(t.elapsed() >= 300);
        SimClient after;
        QVERIFY(after.connectTo(sim->serverPort()));
        QVERIFY(after.login());
        QVERIFY(after.command("gv1").contains("debounce 07 ms"));
        QVERIFY(after.command("gv2").contains("spread 10 %"));
    }

    void refuseConnectionsFault()
    {
        MasterSimOptions o = quick();
        o.refuseConnections = true;
        startSim(o);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.waitClosed());
        QVERIFY(!c.text().contains("login"));
        QVERIFY(!sim->isClientConnected());
    }

    void noPasswordPromptFault()
    {
        MasterSimOptions o = quick();
        o.noPasswordPrompt = true;
        startSim(o);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.waitForText("login: "));
        c.sendLine("tastarello");
        QVERIFY(!c.waitForText("assword", 300));
        c.sendLine("kantor");
        QTest::qWait(50);
        QVERIFY(!sim->isLoggedIn());
        QVERIFY(sim->isClientConnected());
    }

    void closeAfterLinesFault()
    {
        MasterSimOptions o = quick();
        o.closeAfterLines = 2;
        startSim(o);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.login());
        QVERIFY(c.command("gh").contains("master hardware version"));
        c.received.clear();
        c.sendLine("gsm");
        QVERIFY(c.waitClosed());
        QVERIFY(!c.text().contains("software"));
        QCOMPARE(sim->receivedLines().size(), 2);
    }

    void answerDelayFault()
    {
        MasterSimOptions o = quick();
        o.answerDelayMs = 250;
        startSim(o);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.login());
        QElapsedTimer t;
        t.start();
        QVERIFY(c.command("gh").contains("master hardware version"));
        QVERIFY(t.elapsed() >= 240);
    }

    void floodOnGvaKeepsTheLoopRunning()
    {
        constexpr int kLines = 100000;
        MasterSimOptions o = quick();
        o.floodLines = kLines;
        startSim(o);
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
        c.sendLine("gva");
        c.sendLine("gh"); // answered behind the flood
        QVERIFY(SimClient::waitUntil([&] { return c.received.contains("master hardware version"); }, 30000));
        ticker.stop();
        const QByteArray text = c.text();
        QCOMPARE(text.count("\r\n"), kLines + 1);
        QVERIFY(text.startsWith("gva 1/100000: "));
        QVERIFY(text.contains("gva 100000/100000: "));
        QVERIFY(text.indexOf("tastarello> ") > text.indexOf("gva 100000/100000"));
        QVERIFY2(longestGap < 500, qPrintable(QString::number(longestGap)));
    }

    void answersDuringAFloodKeepTheirOrder()
    {
        MasterSimOptions o = quick();
        o.floodLines = 2000;
        startSim(o);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.login());
        c.received.clear();
        c.send("gva\r\ngh\r\ngva\r\ngsm\r\n");
        QVERIFY(SimClient::waitUntil([&] { return c.text().contains("software version"); }));
        const QByteArray text = c.text();
        QCOMPARE(text.count("gva 2000/2000: "), 2);
        const int firstFloodEnd = text.indexOf("gva 2000/2000: ");
        const int hardware = text.indexOf("master hardware version");
        const int secondFloodStart = text.indexOf("gva 1/2000: ", firstFloodEnd);
        QVERIFY(firstFloodEnd < hardware);
        QVERIFY(hardware < secondFloodStart);
        QVERIFY(secondFloodStart < text.indexOf("master software version"));
        QCOMPARE(text.count("tastarello> "), 4); // after each flood and each answer
    }

    void logRecordsLinesWithTime()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        MasterSimOptions o = quick();
        o.logFile = dir.filePath(QStringLiteral("sim.log"));
        startSim(o);
        SimClient c;
        QVERIFY(c.connectTo(sim->serverPort()));
        QVERIFY(c.login());
        QVERIFY(c.command("gsm").contains("4.1.3"));
        QVERIFY(c.command("sv1128").contains("error"));
        QFile log(o.logFile);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        const QRegularExpression line(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3} > (.*)$"),
            QRegularExpression::MultilineOption);
        QStringList commands;
        for (auto it = line.globalMatch(text); it.hasNext();)
            commands << it.next().captured(1);
        QCOMPARE(commands, QStringList({"gsm", "sv1128"}));
        QVERIFY(!text.contains(QLatin1String("kantor")));
    }
};

QTEST_GUILESS_MAIN(TstMasterSimServer)
#include "tst_mastersimserver.moc"
