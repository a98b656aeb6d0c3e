// Login by the server's prompts: when recognition is on, which prompt sends
// what, the signals around it, and the AUTHENTICATION option.

#include "telnetpeer.h"

#include <QtTest>

struct LoginStep
{
    QByteArray in;
    QStringList events;
    QByteArray wire;
};
Q_DECLARE_METATYPE(QList<LoginStep>)

class tst_TelnetLogin : public QObject
{
    Q_OBJECT
private slots:
    void prompts_data();
    void prompts();
};

enum Setup { Defaults, Credentials, LateCredentials, ShellPrompt, NoPatterns };
Q_DECLARE_METATYPE(Setup)

void tst_TelnetLogin::prompts_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QList<LoginStep>>("steps");
    const QByteArray refuse = hex("fffe25");
    const QByteArray authSend = hex("fffa25010000fff0");
    const QByteArray authIsNull = hex("fffa25000000fff0");
    const QString login = "msg:login: ", password = "msg:Password: ";
    const QString required = "loginRequired";
    using S = QList<LoginStep>;

    QTest::newRow("refused, no credentials") << Defaults
                                             << S{{refuse, {}, {}},
                                                  {"login: ", {login, required}, "\r\n"},
                                                  {"login: ", {login, required}, {}},
                                                  {"Password: ", {password}, "\r\n"},
                                                  {"Password: ", {password, required}, {}}};
    QTest::newRow("refused, credentials") << Credentials
                                          << S{{refuse, {}, {}},
                                               {"login: ", {login, required}, "tech\r\n"},
                                               {"Password: ", {password}, "secret\r\n"}};
    QTest::newRow("credentials from loginRequired")
        << LateCredentials << S{{refuse, {}, {}}, {"login: ", {login, required}, "late\r\n"}};
    QTest::newRow("password prompt first")
        << Defaults
        << S{{refuse, {}, {}}, {"Password: ", {password, required}, "\r\n"}, {"login: ", {login}, "\r\n"}};
    QTest::newRow("prompt must end the run") << Defaults
                                             << S{{refuse, {}, {}},
                                                  {"login: x", {"msg:login: x"}, {}},
                                                  {raw("Hi\0login: "), {"msg:Hi", login, required}, "\r\n"}};
    QTest::newRow("no refusal, no recognition") << Defaults << S{{"login: ", {login}, {}}};
    QTest::newRow("NULL authentication")
        << Defaults
        << S{{authSend, {}, authIsNull}, {authSend, {}, authIsNull}, {"login: ", {login, required}, "\r\n"}};
    QTest::newRow("authentication body not SEND")
        << Defaults << S{{hex("fffa2502fff0"), {}, {}}, {"login: ", {login}, {}}};
    QTest::newRow("shell prompt ends recognition")
        << ShellPrompt
        << S{{refuse, {}, {}}, {"m $ ", {"loggedIn", "msg:m $ "}, {}}, {"login: ", {login}, {}}};
    QTest::newRow("no patterns, refused")
        << NoPatterns << S{{refuse, {"loggedIn"}, {}}, {"login: ", {login}, {}}};
    QTest::newRow("no patterns, NULL authentication")
        << NoPatterns << S{{authSend, {"loggedIn"}, authIsNull}, {"m $ ", {"msg:m $ "}, {}}};
}

void tst_TelnetLogin::prompts()
{
    QFETCH(Setup, setup);
    QFETCH(QList<LoginStep>, steps);
    TelnetPeer p;
    switch (setup) {
    case Credentials:
        p.client.setCredentials("tech", "secret");
        break;
    case LateCredentials:
        QObject::connect(&p.client, &telnetlib1::loginRequired,
                         [&p] { p.client.setCredentials("late", "pw"); });
        break;
    case ShellPrompt:
        p.client.setShellPromptExpr(QRegularExpression("\\$ $"));
        break;
    case NoPatterns:
        p.client.setLoginPromptExpr(QRegularExpression());
        p.client.setPasswordPromptExpr(QRegularExpression());
        break;
    case Defaults:
        break;
    }
    QCOMPARE(p.open(), kOffers);
    for (const LoginStep &step : steps) {
        QCOMPARE(p.exchange(step.in), step.wire);
        QCOMPARE(p.takeEvents(), step.events);
    }
    QVERIFY(p.engine->storedPassword.isEmpty() || !p.engine->passwordSent);
}

QTEST_GUILESS_MAIN(tst_TelnetLogin)
#include "tst_telnetlogin.moc"
