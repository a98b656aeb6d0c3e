// The master module simulator: its commands as lines and replies, and the server as a client
// meets it on 127.0.0.1.

#include "mastersim.h"
#include "mastersimcommandline.h"
#include "masterstate.h"

#include <QtNetwork>
#include <QtTest>

namespace {

// A plain socket that records every byte and answers no negotiation; the simulator runs in the
// same thread.
struct SimClient
{
    explicit SimClient(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    bool waitFor(const QByteArray &needle, int ms = 3000)
    {
        return QTest::qWaitFor([&] { return received.contains(needle); }, ms);
    }
    bool waitClosed()
    {
        return QTest::qWaitFor([this] { return socket.state() == QAbstractSocket::UnconnectedState; }, 3000);
    }
    void send(const QByteArray &bytes) { socket.write(bytes), socket.flush(); }
    bool login()
    {
        return waitFor("login: ") && (send("tastarello\r\n"), waitFor("password: ")) &&
               (send("kantor\r\n"), waitFor("tastarello> "));
    }
    QTcpSocket socket;
    QByteArray received;
};

} // namespace

class TestMasterSim : public QObject
{
    Q_OBJECT

    std::unique_ptr<MasterSim> sim;
    static QString snapshot(MasterState &s)
    {
        return s.execute("gv1").text + s.execute("gv3").text + s.execute("gva").text.section('\n', 1);
    }
    MasterSim &startSim(const std::function<void(MasterSimOptions &)> &tweak = {})
    {
        MasterSimOptions o;
        o.negotiationTimeoutMs = 20; // a plain socket never answers the negotiation
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

    // After the lines before it, the last line's reply contains the text; an error changes nothing.
    void commands_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("reply");
        const auto row = [](const QStringList &lines, const char *reply) {
            QTest::newRow(qPrintable(lines.join(' '))) << lines << QString::fromLatin1(reply);
        };
        row({"ss199", "gv1"}, "spread 99 %");
        row({"sv8127", "gva"}, "8=127");
        row({"smca", "tb31", "ts", "smna", "gv3"}, "Manual 3: 61 keys recognised");
        row({"sf1l", "sf2s", "smca", "tb11", "ts"}, "88 keys recognised on Manual 1");
        row({"tb31", "ts", "smc3", "cm3", "std3", "smn3", "gv3"}, "key  KeyUp  KeyDown");
        row({"td1", "std1", "gv1"}, "pre-travel 2.0 mm (standard +0)");
        row(QString("tu2 ").repeated(10).split(' ', Qt::SkipEmptyParts), "1.0 mm (standard -10)");
        row({"smca", "mp+712", "mp-"}, "firmware update of board 12 of Pedal 1 ended");
        row({"sd24.12.26", "gd"}, "date: 24.12.26");
        // A restart keeps only what was saved, in flash first.
        row({"sx107", "fw1", "sx108", "restart", "gv1"}, "debounce 07 ms");
        row({"sx107", "sc1", "sx108", "fw1", "restart", "gv1"}, "debounce 08 ms");
        row({"sx107", "fw1", "fc1", "restart", "gv1"}, "debounce 05 ms");
        row({"xyz"}, "unknown command \"xyz\"");
        row({"ss15"}, "error: spread needs exactly two digits");
        row({"sv1128"}, "error: threshold of coupler 1 must be a number from 0 to 127");
        row({"tu4"}, "error: Manual 4 is not calibrated");
        // Like a real device's listings, some answers mention the prompt words.
        row({"users"}, "login: tastarello  password: set");
        row({"security"}, "telnet login: required\npassword: at least");
    }
    void commands()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, reply);
        MasterState state;
        QString last, before;
        for (const QString &line : lines) {
            before = snapshot(state);
            if (line == QLatin1String("restart"))
                state.restart();
            else
                last = state.execute(line).text;
        }
        QVERIFY2(last.contains(reply), qPrintable(last));
        if (last.startsWith(QLatin1String("error")) || last.startsWith(QLatin1String("unknown")))
            QCOMPARE(snapshot(state), before);
    }

    void logins_data()
    {
        QTest::addColumn<int>("refused");    // --refuse-login
        QTest::addColumn<bool>("lastLogin"); // not --no-last-login
        QTest::newRow("refused twice") << 2 << true;
        QTest::newRow("no Last login") << 0 << false;
    }
    void logins()
    {
        QFETCH(int, refused);
        QFETCH(bool, lastLogin);
        startSim([&](MasterSimOptions &o) {
            o.refuseLogins = refused;
            o.lastLoginLine = lastLogin;
            o.floodLines = 3;
        });
        QSignalSpy loggedIn(sim.get(), &MasterSim::loggedIn);
        SimClient c(sim->serverPort());
        QVERIFY(c.waitFor("login: "));
        c.send("\xff\xfd\x01"); // DO ECHO: the simulator echoes what is typed, but never the password
        // Refused logins as standard daemons refuse them, right credentials or not; first a wrong user,
        // which counts as one of them.
        const int failing = qMax(refused, 1);
        for (int attempt = 0; attempt <= failing; ++attempt) {
            const QByteArray user = attempt == 0 ? "intruder" : "tastarello";
            c.received.clear();
            c.send("\r\n" + user + "\r\n\r\n");
            QVERIFY(c.waitFor("password: "));
            QVERIFY(c.received.contains(user + "\r\n"));
            c.send("kantor\r\n");
            QVERIFY(c.waitFor(attempt < failing ? "Login incorrect\r\nlogin: " : "tastarello> "));
        }
        QVERIFY(!c.received.contains("kantor"));
        QCOMPARE(c.received.contains("\r\nLast login: "), lastLogin);
        QCOMPARE(loggedIn.count(), 1);
        c.received.clear();
        c.send("gsm\r\ngva\r\n");
        QVERIFY(c.waitFor("master software version 4.1.3") && c.waitFor("gva 3/3"));
        QVERIFY(c.received.contains("gva 1/3") && !c.received.contains("gva 0/3"));
        c.send("\xff\xfb\x22"); // WILL LINEMODE, which the simulator refuses
        QVERIFY(c.waitFor("\xff\xfe\x22"));
    }

    // The switches as the options they set: "flood|line length|stream|seconds|refused|Last
    // login|wait|prompt", or the start of the error.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("defaults") << QStringList() << "0|-1|0|10|0|1|500|0";
        QTest::newRow("flood lines without a line end")
            << QStringList{"--flood", "3", "--line-length", "0"} << "3|0|0|10|0|1|500|0";
        QTest::newRow("a timed stream")
            << QStringList{"--stream=600000", "--seconds", "60", "--line-length", "80"}
            << "0|80|600000|60|0|1|500|0";
        QTest::newRow("refused logins, plain greeting, waiting")
            << QStringList{"--refuse-login", "2", "--no-last-login", "--wait-negotiation"}
            << "0|-1|0|10|2|0|-1|0";
        QTest::newRow("prompts in two pieces") << QStringList{"--prompt", "split"} << "0|-1|0|10|0|1|500|2";
        QTest::newRow("no stream of 0 bytes") << QStringList{"--stream", "0"} << "mastersim: --stream needs";
        QTest::newRow("no stream of 0 seconds")
            << QStringList{"--seconds", "0"} << "mastersim: --seconds needs";
        QTest::newRow("port") << QStringList{"--port", "65536"} << "mastersim: --port must be 0 to 65535";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const MasterSimCommandLine c = parseMasterSimCommandLine(QStringList("mastersim") + arguments);
        const MasterSimOptions &o = c.options;
        QStringList set;
        for (int value : {o.floodLines, o.lineLength, o.streamRate, o.streamSeconds, o.refuseLogins,
                          int(o.lastLoginLine), o.negotiationTimeoutMs, int(o.promptStyle)})
            set << QString::number(value);
        const QString read = c.exitNow ? c.output : set.join('|');
        QVERIFY2(read.startsWith(expected), qPrintable(read));
        QCOMPARE(c.exitCode, c.exitNow ? 2 : 0);
    }

    // Like a standard daemon, --wait-negotiation prompts only once every request is answered.
    void waitsForTheNegotiation()
    {
        startSim([](MasterSimOptions &o) { o.negotiationTimeoutMs = -1; });
        SimClient c(sim->serverPort());
        QVERIFY(!c.waitFor("login: ", 700));
        c.send(QByteArray::fromHex("fffb18fffd01fffd03fffc1f")); // WILL TTYPE, DO ECHO, DO SGA, WONT NAWS
        QVERIFY(c.waitFor(QByteArray::fromHex("fffa1801fff0")) && !c.received.contains("login: "));
        c.send(QByteArray::fromHex("fffa180078fff0")); // TTYPE IS "x"
        QVERIFY(c.waitFor("login: "));
    }

    void quitAndRestart()
    {
        startSim();
        SimClient c(sim->serverPort());
        QVERIFY(c.login());
        // One technician at a time: a second connection is told so and closed, the first goes on.
        SimClient second(sim->serverPort());
        QVERIFY(second.waitFor("only one connection at a time") && second.waitClosed());
        QVERIFY(!second.received.contains("login:"));
        c.send("sx107\r\nq\r\n");
        QVERIFY(c.waitFor("bye\r\n") && c.waitClosed());
        SimClient again(sim->serverPort());
        QVERIFY(again.login());
        again.send("rm\r\n");
        QVERIFY(again.waitFor("restarting") && again.waitClosed());
        QSignalSpy restarted(sim.get(), &MasterSim::restarted);
        QVERIFY(restarted.wait(3000));
        SimClient after(sim->serverPort());
        QVERIFY(after.login());
        after.send("gv1\r\n"); // the unsaved change is gone
        QVERIFY(after.waitFor("debounce 05 ms"));
    }
};

QTEST_GUILESS_MAIN(TestMasterSim)
#include "tst_mastersim.moc"
