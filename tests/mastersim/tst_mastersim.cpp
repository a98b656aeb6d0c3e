// The master module simulator: its commands as lines and replies, its telnet side fed bytes
// directly, and the server as a client meets it on 127.0.0.1.

#include "mastersim.h"
#include "masterstate.h"
#include "telnetserverprotocol.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

using Auth = MasterSimOptions::AuthMode;
using Style = MasterSimOptions::PromptStyle;

namespace {

// A plain socket that records every byte; the simulator runs in the same thread.
struct SimClient
{
    explicit SimClient(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, port);
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
            else if (next == 0xfa)
                i = received.indexOf("\xff\xf0", i) < 0 ? received.size()
                                                        : received.indexOf("\xff\xf0", i) + 1;
            else
                i += next >= 0xfb ? 2 : 1;
        }
        return t;
    }
    bool waitFor(const QByteArray &needle, int ms = 3000)
    {
        return QTest::qWaitFor([&] { return text().contains(needle); }, ms);
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
        row({"gsm"}, "master software version 4.1.3");
        row({"gss730"}, "slave board 30 of Pedal 1");
        row({"gss62"}, "of Manual 6");
        row({"sh1.3.0.0", "gh"}, "master hardware version 1.3.0.0");
        row({"sd05.12.26", "gd"}, "date: 05.12.26");
        row({"sx105", "gv1"}, "debounce 05 ms");
        row({"ss199", "gv1"}, "spread 99 %");
        row({"sn136", "gv1"}, "MIDI start note 36");
        row({"sv8127", "gva"}, "8=127");
        row({"smca", "tb31", "ts", "smna", "gv3"}, "Manual 3: 61 keys recognised");
        row({"sf1l", "sf2s", "smca", "tb11", "ts"}, "88 keys recognised on Manual 1");
        row({"tb31", "ts", "smc3", "cm3", "std3", "smn3", "gv3"}, "key  KeyUp  KeyDown");
        row({"tu1"}, "1.9 mm (standard -1)");
        row({"td1", "std1", "gv1"}, "pre-travel 2.0 mm (standard +0)");
        row({"smna", "tab", "tas"}, "fine pre-travel adjustment ended");
        row({"smca", "mp+712", "mp-"}, "firmware update of board 12 of Pedal 1 ended");
        row({"sx109", "fw1", "gv1"}, "unsaved changes: no");
        row({"fw1", "fw2", "cfa", "gva"}, "flash configuration: empty");
        row({"xyz"}, "unknown command \"xyz\"");
        row({"sx10abc"}, "error: debounce time needs exactly two digits");
        row({"ss15"}, "error: spread needs exactly two digits");
        row({"fw12"}, "error: only a keyboard number");
        row({"sv1128"}, "error: threshold of coupler 1 must be a number from 0 to 127");
        row({"mp+831"}, "error: board number of Pedal 2 must be 1 to 30");
        row({"tb3"}, "error: tb expects a keyboard number followed by 1");
        row({"tu4"}, "error: Manual 4 is not calibrated");
        row({"login:", "gv1password:"}, "error");
    }
    void commands()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, reply);
        MasterState state;
        QString last, before;
        for (const QString &line : lines) {
            before = snapshot(state);
            last = state.execute(line).text;
            QVERIFY2(!last.contains(QLatin1String("login:")) && !last.contains(QLatin1String("password:")),
                     qPrintable(last));
        }
        QVERIFY2(last.contains(reply), qPrintable(last));
        if (last.startsWith(QLatin1String("error")) || last.startsWith(QLatin1String("unknown")))
            QCOMPARE(snapshot(state), before);
    }

    void restartKeepsOnlyWhatWasSaved_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("debounce");
        QTest::newRow("unsaved change lost") << QStringList{"sx107"} << 5;
        QTest::newRow("change after fw lost") << QStringList{"sx107", "fw1", "sx108"} << 7;
        QTest::newRow("flash wins over SD") << QStringList{"sx107", "sc1", "sx108", "fw1"} << 8;
        QTest::newRow("fc falls back to SD") << QStringList{"sx107", "fw1", "fc1"} << 5;
    }
    void restartKeepsOnlyWhatWasSaved()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, debounce);
        MasterState state;
        for (const QString &line : lines)
            state.execute(line);
        state.restart();
        QCOMPARE(state.manual(1).debounceMs, debounce);
    }

    // An offer, then the same again: a refusal is repeated, an acceptance is not.
    void answersOffers_data()
    {
        QTest::addColumn<int>("auth");
        QTest::addColumn<QByteArray>("offer");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("repeated");
        const auto row = [](const char *name, Auth auth, const QByteArray &offer, const QByteArray &answer,
                            bool repeated) {
            QTest::newRow(name) << int(auth) << offer << answer << repeated;
        };
        row("WILL AUTH, refuse", Auth::Refuse, "\xff\xfb\x25", "\xff\xfe\x25", true);
        row("WILL AUTH, request", Auth::Request, "\xff\xfb\x25",
            QByteArray("\xff\xfd\x25\xff\xfa\x25\x01\x00\x00\xff\xf0", 11), false);
        row("WILL AUTH, ignore", Auth::Ignore, "\xff\xfb\x25", "", false);
        row("DO STATUS", Auth::Refuse, "\xff\xfd\x05", "\xff\xfb\x05", false);
        row("WILL LINEMODE", Auth::Refuse, "\xff\xfb\x22", "\xff\xfe\x22", true);
        row("DO TERMINAL-TYPE", Auth::Refuse, "\xff\xfd\x18", "\xff\xfc\x18", true);
        row("DO LOGOUT", Auth::Refuse, "\xff\xfd\x12", "\xff\xfb\x12", false);
    }
    void answersOffers()
    {
        QFETCH(int, auth);
        QFETCH(QByteArray, offer);
        QFETCH(QByteArray, answer);
        QFETCH(bool, repeated);
        TelnetServerProtocol protocol{Auth(auth)};
        QByteArray out;
        connect(&protocol, &TelnetServerProtocol::output, [&](const QByteArray &b) { out += b; });
        protocol.start();
        out.clear();
        protocol.receive(offer);
        QCOMPARE(std::exchange(out, QByteArray()), answer);
        protocol.receive(offer);
        QCOMPARE(out, repeated ? answer : QByteArray());
    }

    // Each input fed whole and byte by byte.
    void stripsCommandsFromLines_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("CR NUL, CR LF, LF, CR")
            << QByteArray("gsm\r\0gh\r\nx\ny\r", 13) << QByteArrayList{"gsm", "gh", "x", "y"};
        QTest::newRow("option, subneg inside")
            << QByteArray("g\xff\xfd\x18s\xff\xfa\x18\x00XT\xff\xf0m\r\n", 16) << QByteArrayList{"gsm"};
        QTest::newRow("doubled IAC") << QByteArray("a\xff\xff\r\n") << QByteArrayList{"a\xff"};
        QTest::newRow("BS, DEL, EC") << QByteArray("gx\bsx\x7fx\xff\xf7m\r\n") << QByteArrayList{"gsm"};
        QTest::newRow("EL, IP") << QByteArray("xx\xff\xf8gsm\r\nyy\xff\xf4gh\r\n")
                                << QByteArrayList{"gsm", "gh"};
    }
    void stripsCommandsFromLines()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArrayList, lines);
        for (int step : {input.size(), 1}) {
            TelnetServerProtocol protocol{Auth::Refuse};
            QByteArrayList got;
            connect(&protocol, &TelnetServerProtocol::lineReceived, [&](const QByteArray &l) { got << l; });
            for (int i = 0; i < input.size(); i += step)
                protocol.receive(input.mid(i, step));
            QCOMPARE(got, lines);
        }
    }

    void loginStyles_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QByteArray>("passwordPrompt");
        QTest::newRow("normal") << int(Style::Normal) << QByteArray("password: ");
        QTest::newRow("capital") << int(Style::CapitalPassword) << QByteArray("Password: ");
        QTest::newRow("nul") << int(Style::PromptWithNul) << QByteArray("password: \0", 11);
        QTest::newRow("split") << int(Style::SplitPrompt) << QByteArray("password: ");
    }
    void loginStyles()
    {
        QFETCH(int, style);
        QFETCH(QByteArray, passwordPrompt);
        startSim([&](MasterSimOptions &o) { o.promptStyle = Style(style); });
        QSignalSpy loggedIn(sim.get(), &MasterSim::loggedIn);
        SimClient c(sim->serverPort());
        QVERIFY(c.waitFor("login: "));
        c.send("\r\ntastarello\r\n\r\n");
        QVERIFY(c.waitFor(passwordPrompt));
        c.send("wrong\r\n");
        QVERIFY(c.waitFor("Login incorrect\r\nlogin: "));
        QCOMPARE(loggedIn.count(), 0);
        c.received.clear();
        c.send("tastarello\r\n");
        QVERIFY(c.waitFor(passwordPrompt));
        c.send("kantor\r\n");
        QVERIFY(c.waitFor("tastarello> "));
        QCOMPARE(loggedIn.count(), 1);
        c.received.clear();
        c.send("gsm\r\n");
        QVERIFY(c.waitFor("master software version 4.1.3"));
        QCOMPARE(sim->receivedLines().size(), 1);
    }

    void quitRestartAndFaultSwitches()
    {
        startSim([](MasterSimOptions &o) { o.closeAfterLines = 3; });
        SimClient c(sim->serverPort());
        QVERIFY(c.login());
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
        after.send("gh\r\n");
        QVERIFY(after.waitFor("master hardware version"));
        after.send("gsm\r\n"); // the third line: closed unanswered
        QVERIFY(after.waitClosed());
        QVERIFY(!after.text().contains("software"));

        startSim([](MasterSimOptions &o) { o.refuseConnections = true; });
        SimClient refused(sim->serverPort());
        QVERIFY(refused.waitClosed() && !refused.text().contains("login"));
        startSim([](MasterSimOptions &o) { o.noPasswordPrompt = true; });
        SimClient noPassword(sim->serverPort());
        QVERIFY(noPassword.waitFor("login: "));
        noPassword.send("tastarello\r\n");
        QVERIFY(!noPassword.waitFor("assword", 300));
    }
};

QTEST_GUILESS_MAIN(TestMasterSim)
#include "tst_mastersim.moc"
