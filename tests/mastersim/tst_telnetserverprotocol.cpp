#include "telnetserverprotocol.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

// The protocol object fed directly, so every expectation is about exact bytes.
class TstTelnetServerProtocol : public QObject
{
    Q_OBJECT

    struct Peer
    {
        explicit Peer(MasterSimOptions::AuthMode mode = MasterSimOptions::AuthMode::Refuse) : protocol(mode)
        {
            QObject::connect(&protocol, &TelnetServerProtocol::output,
                             [this](const QByteArray &b) { out += b; });
            QObject::connect(&protocol, &TelnetServerProtocol::lineReceived,
                             [this](const QByteArray &l) { lines << l; });
        }
        QByteArray take()
        {
            const QByteArray b = out;
            out.clear();
            return b;
        }
        TelnetServerProtocol protocol;
        QByteArray out;
        QList<QByteArray> lines;
    };

private slots:
    void opensLikeATelnetDaemon()
    {
        Peer p;
        p.protocol.start();
        QCOMPARE(p.take(), QByteArray("\xff\xfd\x18\xff\xfb\x01\xff\xfb\x03\xff\xfd\x1f"));
        QVERIFY(!p.protocol.isSettled());
    }

    void answersOffers_data()
    {
        QTest::addColumn<int>("auth");
        QTest::addColumn<QByteArray>("offer");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("refusal");
        const int refuse = int(MasterSimOptions::AuthMode::Refuse);
        const int request = int(MasterSimOptions::AuthMode::Request);
        const int ignore = int(MasterSimOptions::AuthMode::Ignore);
        // A refusal leaves the option off, so a repeated offer is refused again; an accepted one is on
        // and is not confirmed a second time.
        QTest::newRow("WILL AUTHENTICATION, refuse")
            << refuse << QByteArray("\xff\xfb\x25") << QByteArray("\xff\xfe\x25") << true;
        QTest::newRow("WILL AUTHENTICATION, request")
            << request << QByteArray("\xff\xfb\x25")
            << QByteArray("\xff\xfd\x25\xff\xfa\x25\x01\x00\x00\xff\xf0", 11) << false;
        QTest::newRow("WILL AUTHENTICATION, ignore")
            << ignore << QByteArray("\xff\xfb\x25") << QByteArray() << false;
        QTest::newRow("DO SUPPRESS-GO-AHEAD crosses our WILL")
            << refuse << QByteArray("\xff\xfd\x03") << QByteArray() << false;
        QTest::newRow("WILL LINEMODE")
            << refuse << QByteArray("\xff\xfb\x22") << QByteArray("\xff\xfe\x22") << true;
        QTest::newRow("DO STATUS") << refuse << QByteArray("\xff\xfd\x05") << QByteArray("\xff\xfb\x05")
                                   << false;
        QTest::newRow("WILL ECHO") << refuse << QByteArray("\xff\xfb\x01") << QByteArray("\xff\xfe\x01")
                                   << true;
        QTest::newRow("DO TERMINAL-TYPE")
            << refuse << QByteArray("\xff\xfd\x18") << QByteArray("\xff\xfc\x18") << true;
        QTest::newRow("WONT never enabled") << refuse << QByteArray("\xff\xfc\x06") << QByteArray() << false;
        QTest::newRow("DONT never enabled") << refuse << QByteArray("\xff\xfe\x06") << QByteArray() << false;
    }
    void answersOffers()
    {
        QFETCH(int, auth);
        QFETCH(QByteArray, offer);
        QFETCH(QByteArray, answer);
        QFETCH(bool, refusal);
        Peer p{MasterSimOptions::AuthMode(auth)};
        p.protocol.start();
        p.take();
        p.protocol.receive(offer);
        QCOMPARE(p.take(), answer);
        p.protocol.receive(offer);
        QCOMPARE(p.take(), refusal ? answer : QByteArray());
    }

    void ownRequestsAreNotConfirmedTwice()
    {
        Peer p;
        QSignalSpy settled(&p.protocol, &TelnetServerProtocol::settled);
        p.protocol.start();
        p.take();
        const QByteArray answers("\xff\xfb\x18\xff\xfe\x01\xff\xfd\x03\xff\xfc\x1f");
        p.protocol.receive(answers);
        QCOMPARE(p.take(), QByteArray("\xff\xfa\x18\x01\xff\xf0"));
        p.protocol.receive(answers);
        QCOMPARE(p.take(), QByteArray());
        QVERIFY(!p.protocol.isSettled());
        p.protocol.receive(QByteArray("\xff\xfa\x18\x00UNKNOWN\xff\xf0", 13));
        QCOMPARE(p.protocol.terminalType(), QByteArray("UNKNOWN"));
        QVERIFY(p.protocol.isSettled());
        QCOMPARE(settled.count(), 1);
        QVERIFY(p.protocol.isLocalEnabled(TelnetServerProtocol::OptSuppressGoAhead));
        QVERIFY(!p.protocol.isLocalEnabled(TelnetServerProtocol::OptEcho));
        QVERIFY(!p.protocol.isRemoteEnabled(TelnetServerProtocol::OptNaws));
    }

    void requestedAuthenticationAcceptsNull()
    {
        Peer p{MasterSimOptions::AuthMode::Request};
        p.protocol.receive("\xff\xfb\x25");
        QVERIFY(!p.protocol.isSettled());
        p.protocol.receive(QByteArray("\xff\xfa\x25\x00\x00\x00\xff\xf0", 8));
        QVERIFY(p.protocol.isAuthenticated());
        QVERIFY(p.protocol.isSettled());
    }

    void windowSizeAndStatus()
    {
        Peer p;
        p.protocol.start();
        p.protocol.receive(QByteArray("\xff\xfb\x1f\xff\xfa\x1f\x00\x50\x00\x18\xff\xf0", 12));
        QCOMPARE(p.protocol.windowSize(), QSize(80, 24));
        p.protocol.receive("\xff\xfd\x05");
        p.take();
        p.protocol.receive("\xff\xfa\x05\x01\xff\xf0");
        const QByteArray status = p.take();
        QVERIFY(status.startsWith(QByteArray("\xff\xfa\x05\x00", 4)));
        QVERIFY(status.contains("\xfb\x05"));
        QVERIFY(status.contains("\xfd\x1f"));
        QVERIFY(status.endsWith("\xff\xf0"));
    }

    void stripsCommandsFromLines_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QList<QByteArray>>("lines");
        using L = QList<QByteArray>;
        QTest::newRow("CR LF") << QByteArray("gsm\r\n") << L{"gsm"};
        QTest::newRow("CR NUL, bare LF, bare CR") << QByteArray("gsm\r\0gh\nq\r", 11) << L{"gsm", "gh", "q"};
        QTest::newRow("option inside") << QByteArray("g\xff\xfd\x18sm\r\n") << L{"gsm"};
        QTest::newRow("sub-negotiation inside")
            << QByteArray("gs\xff\xfa\x18\x00XTERM\xff\xf0m\r\n", 16) << L{"gsm"};
        QTest::newRow("doubled IAC is one data byte") << QByteArray("a\xff\xff"
                                                                    "b\r\n")
                                                      << L{"a\xff"
                                                           "b"};
        QTest::newRow("NOP, GA, DM, BRK carry nothing")
            << QByteArray("g\xff\xf1s\xff\xf9m\xff\xf2\xff\xf3\r\n") << L{"gsm"};
        QTest::newRow("empty lines") << QByteArray("\r\n\r\n") << L{"", ""};
        QTest::newRow("backspace and delete") << QByteArray("gx\bsmx\x7f\r\n") << L{"gsm"};
        QTest::newRow("erase character") << QByteArray("gsx\xff\xf7m\r\n") << L{"gsm"};
        QTest::newRow("erase line, interrupt")
            << QByteArray("xx\xff\xf8gsm\r\nyy\xff\xf4gh\r\n") << L{"gsm", "gh"};
        QTest::newRow("unclosed sub-negotiation ends at next command")
            << QByteArray("\xff\xfa\x18junk\xff\xfd\x01gsm\r\n") << L{"gsm"};
        QTest::newRow("NUL outside CR NUL dropped") << QByteArray("g\0sm\r\n", 6) << L{"gsm"};
    }
    void stripsCommandsFromLines()
    {
        QFETCH(QByteArray, input);
        QFETCH(QList<QByteArray>, lines);
        Peer whole;
        whole.protocol.receive(input);
        QCOMPARE(whole.lines, lines);
        Peer bytewise;
        for (const char c : input)
            bytewise.protocol.receive(QByteArray(1, c));
        QCOMPARE(bytewise.lines, lines);
    }

    void survivesAnyBytes()
    {
        Peer p{MasterSimOptions::AuthMode::Request};
        p.protocol.start();
        QRandomGenerator random(4711);
        for (int round = 0; round < 2000; ++round) {
            QByteArray chunk(int(random.bounded(1, 200)), Qt::Uninitialized);
            for (char &c : chunk) // weight the telnet command bytes so that every state is visited
                c = char(random.bounded(4) == 0 ? random.bounded(0xf0, 0x100) : random.bounded(0, 0x100));
            p.protocol.receive(chunk);
        }
        for (const QByteArray &line : qAsConst(p.lines))
            QVERIFY(line.size() <= TelnetServerProtocol::kMaxLineLength);
        // Whatever state the noise left, this closes it, and the next line arrives intact.
        p.protocol.receive("\xff\xf0\xff\xf0\r\ngsm\r\n");
        QCOMPARE(p.lines.last(), QByteArray("gsm"));
    }

    void longLineIsCut()
    {
        Peer p;
        p.protocol.receive(QByteArray(5000, 'a') + "\r\n");
        QCOMPARE(p.lines.size(), 1);
        QCOMPARE(p.lines.first().size(), TelnetServerProtocol::kMaxLineLength);
        QVERIFY(p.protocol.lastLineTruncated());
        p.protocol.receive("gsm\r\n");
        QVERIFY(!p.protocol.lastLineTruncated());
    }

    void echoesOnlyWhenAgreedAndWanted()
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
    }

    void logoutIsConfirmedThenReported()
    {
        Peer p;
        QSignalSpy logout(&p.protocol, &TelnetServerProtocol::logoutRequested);
        p.protocol.receive("\xff\xfd\x12");
        QCOMPARE(p.take(), QByteArray("\xff\xfb\x12"));
        QCOMPARE(logout.count(), 1);
    }

    void answersAreYouThereAndEscapesIac()
    {
        Peer p;
        p.protocol.receive("\xff\xf6");
        QCOMPARE(p.take(), QByteArray("\r\n[Yes]\r\n"));
        p.protocol.sendText("a\xff"
                            "b");
        QCOMPARE(p.take(), QByteArray("a\xff\xff"
                                      "b"));
    }
};

QTEST_GUILESS_MAIN(TstTelnetServerProtocol)
#include "tst_telnetserverprotocol.moc"
