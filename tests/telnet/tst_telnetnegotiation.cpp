// The receive side of the engine: text runs, command sequences split anywhere,
// option replies and the limits that keep a hostile stream from stalling it.

#include "telnetpeer.h"

#include <QtTest>

class tst_TelnetNegotiation : public QObject
{
    Q_OBJECT
private slots:
    void offersOnConnect();
    void replies_data();
    void replies();
    void textRuns_data();
    void textRuns();
    void splitReads_data();
    void splitReads();
    void unknownSuboptionWarns_data();
    void unknownSuboptionWarns();
    void longSubnegotiationIsBounded_data();
    void longSubnegotiationIsBounded();
    void unterminatedSubnegotiationNeverStalls();
    void wontLogoutCloses();
};

void tst_TelnetNegotiation::offersOnConnect()
{
    TelnetPeer p;
    QCOMPARE(p.open().toHex(), kOffers.toHex());
}

// Steps are "in>out" pairs in hex; serverDo lists "option=0|1" expectations.
void tst_TelnetNegotiation::replies_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("serverDo");
    QTest::newRow("terminal type") << "fffd18>fffb18 fffd18> fffa1801fff0>fffa1800554e4b4e4f574efff0"
                                   << "24=1";
    QTest::newRow("DO ECHO refused once") << "fffd01>fffc01 fffd01>"
                                          << "1=1";
    QTest::newRow("WILL ECHO alternates") << "fffb01>fffe01 fffb01> fffb01>fffe01"
                                          << "1=0";
    QTest::newRow("DONT never asked") << "fffe06>"
                                      << "6=0";
    QTest::newRow("SGA on and off") << "fffd03>fffb03 fffe03>fffc03"
                                    << "3=0";
    QTest::newRow("own offers not confirmed") << "fffd25> fffb03> fffc05>fffe05"
                                              << "37=1";
    QTest::newRow("DO NAWS without size") << "fffd1f>fffc1f"
                                          << "31=1";
    QTest::newRow("IAC DM") << "fff2>"
                            << "";
    QTest::newRow("NAWS body ignored") << "fffa1f00500018fff0>"
                                       << "";
    QTest::newRow("empty subnegotiation") << "fffafff0fffd18>fffb18"
                                          << "";
    QTest::newRow("several in one read") << "fffd18fffb01fffd03>fffb18fffe01fffb03"
                                         << "24=1 3=1";
    QTest::newRow("unhandled commands consumed")
        << "fff1fff9fff6fff7fff8fff3fff4fff5ffeeffefffedffecfff0ff01fffd18>fffb18"
        << "24=1";
}

void tst_TelnetNegotiation::replies()
{
    QFETCH(QString, steps);
    QFETCH(QString, serverDo);
    TelnetPeer p;
    QCOMPARE(p.open(), kOffers);
    for (const QString &step : steps.split(' ')) {
        const QStringList io = step.split('>');
        QCOMPARE(p.exchange(hex(qPrintable(io[0]))).toHex(), io[1].toLatin1());
    }
    for (const QString &entry : serverDo.split(' ', Qt::SkipEmptyParts)) {
        const QStringList kv = entry.split('=');
        QCOMPARE(p.engine->serverDoes(uchar(kv[0].toInt())), kv[1] == "1");
    }
    QVERIFY(p.takeEvents().isEmpty());
}

void tst_TelnetNegotiation::textRuns_data()
{
    QTest::addColumn<QByteArrayList>("reads");
    QTest::addColumn<QByteArrayList>("messages");
    QTest::addColumn<QByteArray>("reply");
    using L = QByteArrayList;
    QTest::newRow("NUL splits runs") << L{raw("abc\0def")} << L{"abc", "def"} << QByteArray();
    QTest::newRow("no NUL") << L{"abc"} << L{"abc"} << QByteArray();
    QTest::newRow("CR LF kept") << L{"a\r\nb"} << L{"a\r\nb"} << QByteArray();
    QTest::newRow("leading NUL") << L{raw("\0abc")} << L{"abc"} << QByteArray();
    QTest::newRow("DM at run start dropped") << L{"\xf2"
                                                  "ab",
                                                  raw("\0\xf2"
                                                      "c")}
                                             << L{"ab", "c"} << QByteArray();
    QTest::newRow("DM inside run kept") << L{"a\xf2"
                                             "b"}
                                        << L{"a\xf2"
                                             "b"}
                                        << QByteArray();
    QTest::newRow("IAC ends run") << L{"abc\xff\xfd\x18"
                                       "de"}
                                  << L{"abc", "de"} << hex("fffb18");
    QTest::newRow("IAC IAC is 255") << L{"a\xff\xff"
                                         "b\xff\xff"}
                                    << L{"a\xff"
                                         "b\xff"}
                                    << QByteArray();
    QTest::newRow("IAC IAC across reads") << L{"a\xff", "\xff"
                                                        "b"}
                                          << L{"a", "\xff"
                                                    "b"}
                                          << QByteArray();
    QTest::newRow("IAC NOP between") << L{"a\xff\xf1"
                                          "b"}
                                     << L{"a", "b"} << QByteArray();
    QTest::newRow("runs and commands")
        << L{raw("x\xff\xfb\x01y\0z\xff\xfd\x01")} << L{"x", "y", "z"} << hex("fffe01fffc01");
}

void tst_TelnetNegotiation::textRuns()
{
    QFETCH(QByteArrayList, reads);
    QFETCH(QByteArrayList, messages);
    QFETCH(QByteArray, reply);
    TelnetPeer p;
    QCOMPARE(p.open(), kOffers);
    for (const QByteArray &read : reads)
        p.engine->receiveBytes(read);
    QCOMPARE(p.exchange({}).toHex(), reply.toHex());
    QStringList expected;
    for (const QByteArray &m : messages)
        expected << "msg:" + QString::fromLocal8Bit(m);
    QCOMPARE(p.takeEvents(), expected);
}

// Every stream cut into two reads at each position, and into single bytes
// (position 0), must give the same replies and text as in one read.
void tst_TelnetNegotiation::splitReads_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<int>("cut");
    QTest::addColumn<QByteArray>("reply");
    const QList<QPair<const char *, const char *>> streams = {
        {"fffd18", "fffb18"},
        {"fffa1801fff0", "fffa1800554e4b4e4f574efff0"},
        {"61ffff6200fffb01", "fffe01"},
        {"fffa1f00500018fff0fffd01", "fffc01"},
        {"fffa25010000fff0", "fffa25000000fff0"},
    };
    for (const auto &s : streams) {
        const QByteArray stream = hex(s.first);
        for (int cut = 0; cut < stream.size(); ++cut)
            QTest::addRow("%s/%d", s.first, cut) << stream << cut << hex(s.second);
    }
}

void tst_TelnetNegotiation::splitReads()
{
    QFETCH(QByteArray, stream);
    QFETCH(int, cut);
    QFETCH(QByteArray, reply);
    TelnetPeer p;
    QCOMPARE(p.open(), kOffers);
    if (cut == 0) {
        for (char c : stream)
            p.engine->receiveBytes(QByteArray(1, c));
    } else {
        p.engine->receiveBytes(stream.left(cut));
        p.engine->receiveBytes(stream.mid(cut));
    }
    QCOMPARE(p.exchange({}).toHex(), reply.toHex());
    QVERIFY(p.engine->pending.isEmpty());
    QString text;
    for (const QString &e : p.takeEvents())
        text += e.mid(4);
    QCOMPARE(text, stream.startsWith('a') ? QString::fromLocal8Bit("a\xff"
                                                                   "b")
                                          : QString());
}

void tst_TelnetNegotiation::unknownSuboptionWarns_data()
{
    QTest::addColumn<QByteArray>("subnegotiation");
    QTest::addColumn<int>("option");
    QTest::newRow("32") << hex("fffa2000fff0") << 32;
    QTest::newRow("200, unsigned") << hex("fffac8fff0") << 200;
}

void tst_TelnetNegotiation::unknownSuboptionWarns()
{
    QFETCH(QByteArray, subnegotiation);
    QFETCH(int, option);
    TelnetPeer p;
    QCOMPARE(p.open(), kOffers);
    const QByteArray warning = "telnetlib1Private::parseIAC: unknown suboption " + QByteArray::number(option);
    QTest::ignoreMessage(QtWarningMsg, warning.constData());
    QCOMPARE(p.exchange(subnegotiation + hex("fffd18")).toHex(), QByteArray("fffb18"));
}

// A TERMINAL-TYPE SEND padded to exactly the bound is answered; one byte more
// and IAC SB is dropped, the rest arriving as text and a stray IAC SE.
void tst_TelnetNegotiation::longSubnegotiationIsBounded_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("answered");
    QTest::newRow("at the bound") << kMaxSubnegotiation << true;
    QTest::newRow("past the bound") << kMaxSubnegotiation + 1 << false;
}

void tst_TelnetNegotiation::longSubnegotiationIsBounded()
{
    QFETCH(int, length);
    QFETCH(bool, answered);
    TelnetPeer p;
    QCOMPARE(p.open(), kOffers);
    const QByteArray sb = hex("fffa1801") + QByteArray(length - 6, 'z') + hex("fff0");
    QCOMPARE(p.exchange(sb), answered ? kPingReply : QByteArray());
    QCOMPARE(p.takeEvents().isEmpty(), answered);
}

void tst_TelnetNegotiation::unterminatedSubnegotiationNeverStalls()
{
    TelnetPeer p;
    QCOMPARE(p.open(), kOffers);
    p.engine->receiveBytes(hex("fffa18"));
    for (int i = 0; i < kMaxSubnegotiation; ++i) {
        p.engine->receiveBytes("z");
        QVERIFY(p.engine->pending.size() < kMaxSubnegotiation);
    }
    QCOMPARE(p.exchange(hex("fffd18")).toHex(), QByteArray("fffb18"));
    QString text;
    for (const QString &e : p.takeEvents())
        text += e.mid(4);
    QCOMPARE(text, "\x18" + QString(kMaxSubnegotiation, 'z'));
}

void tst_TelnetNegotiation::wontLogoutCloses()
{
    TelnetPeer p;
    QCOMPARE(p.open(), kOffers);
    p.peer->write(hex("fffc12fffd18") + "after");
    QTRY_VERIFY(p.peer->state() == QAbstractSocket::UnconnectedState);
    QCOMPARE(p.peer->readAll(), QByteArray());
    const QStringList events = p.takeEvents();
    QCOMPARE(events.first(), "loggedOut");
    QCOMPARE(events.count("msg:after"), 1);
}

QTEST_GUILESS_MAIN(tst_TelnetNegotiation)
#include "tst_telnetnegotiation.moc"
