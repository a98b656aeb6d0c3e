#include "telnetserverprotocol.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using Auth = MasterSimOptions::AuthMode;

// The protocol object fed directly, so every expectation is about exact bytes.
class TstTelnetServerProtocol : public QObject
{
    Q_OBJECT

    struct Peer
    {
        explicit Peer(Auth mode = Auth::Refuse) : protocol(mode)
        {
            connect(&protocol, &TelnetServerProtocol::output, [this](const QByteArray &b) { out += b; });
            connect(&protocol, &TelnetServerProtocol::lineReceived,
                    [this](const QByteArray &l) { lines << l; });
        }
        QByteArray take() { return std::exchange(out, QByteArray()); }
        TelnetServerProtocol protocol;
        QByteArray out;
        QList<QByteArray> lines;
    };

private slots:
    // Our own requests, the client's answers, and no second confirmation.
    void negotiationSettlesOnce()
    {
        Peer p;
        QSignalSpy settled(&p.protocol, &TelnetServerProtocol::settled);
        p.protocol.start();
        QCOMPARE(p.take(), QByteArray("\xff\xfd\x18\xff\xfb\x01\xff\xfb\x03\xff\xfd\x1f"));
        const QByteArray answers("\xff\xfb\x18\xff\xfe\x01\xff\xfd\x03\xff\xfb\x1f");
        p.protocol.receive(answers);
        QCOMPARE(p.take(), QByteArray("\xff\xfa\x18\x01\xff\xf0"));
        p.protocol.receive(answers);
        QCOMPARE(p.take(), QByteArray());
        QVERIFY(!p.protocol.isSettled());
        p.protocol.receive(
            QByteArray("\xff\xfa\x18\x00UNKNOWN\xff\xf0\xff\xfa\x1f\x00\x50\x00\x18\xff\xf0", 22));
        QCOMPARE(p.protocol.terminalType(), QByteArray("UNKNOWN"));
        QCOMPARE(p.protocol.windowSize(), QSize(80, 24));
        QCOMPARE(settled.count(), 1);
        QVERIFY(p.protocol.isLocalEnabled(TelnetServerProtocol::OptSuppressGoAhead));
        QVERIFY(!p.protocol.isLocalEnabled(TelnetServerProtocol::OptEcho));

        Peer auth{Auth::Request};
        auth.protocol.receive("\xff\xfb\x25");
        QVERIFY(!auth.protocol.isSettled());
        auth.protocol.receive(QByteArray("\xff\xfa\x25\x00\x00\x00\xff\xf0", 8));
        QVERIFY(auth.protocol.isAuthenticated() && auth.protocol.isSettled());
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
        row("DO SGA crosses our WILL", Auth::Refuse, "\xff\xfd\x03", "", false);
        row("DO STATUS", Auth::Refuse, "\xff\xfd\x05", "\xff\xfb\x05", false);
        row("WILL LINEMODE", Auth::Refuse, "\xff\xfb\x22", "\xff\xfe\x22", true);
        row("DO TERMINAL-TYPE", Auth::Refuse, "\xff\xfd\x18", "\xff\xfc\x18", true);
        row("WONT never enabled", Auth::Refuse, "\xff\xfc\x06", "", false);
        row("DO LOGOUT", Auth::Refuse, "\xff\xfd\x12", "\xff\xfb\x12", false);
        row("AYT", Auth::Refuse, "\xff\xf6", "\r\n[Yes]\r\n", true);
    }
    void answersOffers()
    {
        QFETCH(int, auth);
        QFETCH(QByteArray, offer);
        QFETCH(QByteArray, answer);
        QFETCH(bool, repeated);
        Peer p{Auth(auth)};
        p.protocol.start();
        p.take();
        p.protocol.receive(offer);
        QCOMPARE(p.take(), answer);
        p.protocol.receive(offer);
        QCOMPARE(p.take(), repeated ? answer : QByteArray());
    }

    // Each input fed whole and byte by byte.
    void stripsCommandsFromLines_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QList<QByteArray>>("lines");
        using L = QList<QByteArray>;
        QTest::newRow("CR NUL, CR LF, LF, CR")
            << QByteArray("gsm\r\0gh\r\nx\ny\r", 13) << L{"gsm", "gh", "x", "y"};
        QTest::newRow("option, subneg inside")
            << QByteArray("g\xff\xfd\x18s\xff\xfa\x18\x00XT\xff\xf0m\r\n", 16) << L{"gsm"};
        QTest::newRow("doubled IAC") << QByteArray("a\xff\xff\r\n") << L{"a\xff"};
        QTest::newRow("NOP, GA, DM, BRK, NUL")
            << QByteArray("g\xff\xf1s\xff\xf9m\xff\xf2\0\xff\xf3\r\n", 14) << L{"gsm"};
        QTest::newRow("empty lines") << QByteArray("\r\n\r\n") << L{"", ""};
        QTest::newRow("BS, DEL, EC") << QByteArray("gx\bsx\x7fx\xff\xf7m\r\n") << L{"gsm"};
        QTest::newRow("EL, IP") << QByteArray("xx\xff\xf8gsm\r\nyy\xff\xf4gh\r\n") << L{"gsm", "gh"};
        QTest::newRow("unclosed subneg") << QByteArray("\xff\xfa\x18junk\xff\xfd\x01gsm\r\n") << L{"gsm"};
    }
    void stripsCommandsFromLines()
    {
        QFETCH(QByteArray, input);
        QFETCH(QList<QByteArray>, lines);
        Peer whole, bytewise;
        whole.protocol.receive(input);
        QCOMPARE(whole.lines, lines);
        for (const char c : input)
            bytewise.protocol.receive(QByteArray(1, c));
        QCOMPARE(bytewise.lines, lines);
    }

    void survivesAnyBytesAndCutsLongLines()
    {
        Peer p{Auth::Request};
        p.protocol.start();
        QRandomGenerator random(4711);
        for (int round = 0; round < 2000; ++round) {
            QByteArray chunk(int(random.bounded(1, 200)), Qt::Uninitialized);
            for (char &c : chunk) // weight the command bytes so that every state is visited
                c = char(random.bounded(4) == 0 ? random.bounded(0xf0, 0x100) : random.bounded(0, 0x100));
            p.protocol.receive(chunk);
        }
        p.protocol.receive("\xff\xf0\xff\xf0\r\n" + QByteArray(5000, 'a') + "\r\n");
        for (const QByteArray &line : qAsConst(p.lines))
            QVERIFY(line.size() <= TelnetServerProtocol::kMaxLineLength);
        QCOMPARE(p.lines.last().size(), TelnetServerProtocol::kMaxLineLength);
        QVERIFY(p.protocol.lastLineTruncated());
        p.protocol.receive("gsm\r\n");
        QCOMPARE(p.lines.last(), QByteArray("gsm"));
        QVERIFY(!p.protocol.lastLineTruncated());
    }

    void echoesOnlyWhenAgreedAndWantedAndEscapesIac()
    {
        Peer p;
        p.protocol.receive("ab\r\n");
        QCOMPARE(p.take(), QByteArray()); // echo not agreed
        p.protocol.start();
        p.protocol.receive("\xff\xfd\x01");
        p.take();
        p.protocol.receive("ab\x7f"
                           "c\r\n");
        QCOMPARE(p.take(), QByteArray("ab\b \bc\r\n"));
        p.protocol.setEchoInput(false);
        p.protocol.receive("secret\r\n");
        QCOMPARE(p.take(), QByteArray());
        QCOMPARE(p.lines.last(), QByteArray("secret"));
        p.protocol.sendText("a\xff");
        QCOMPARE(p.take(), QByteArray("a\xff\xff"));
    }
};

QTEST_GUILESS_MAIN(TstTelnetServerProtocol)
#include "tst_telnetserverprotocol.moc"
