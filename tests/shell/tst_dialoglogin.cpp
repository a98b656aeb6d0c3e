// The login dialog on its own: presets, field mirroring, catalogues, results.
#include <QComboBox>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "dialoglogin.h"
#include "shellsupport.h"

namespace {

template <typename T> T *child(DialogLogin &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("widget %s of the expected class is missing", name);
    return widget;
}

QComboBox *presets(DialogLogin &dialog)
{
    return child<QComboBox>(dialog, "comboBox");
}

QLineEdit *addressField(DialogLogin &dialog)
{
    return child<QLineEdit>(dialog, "lineEditIP");
}

void typeInto(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// Runs exec() and lets a zero timer act on the open dialog.
int execWith(DialogLogin &dialog, const std::function<void()> &action)
{
    QTimer::singleShot(0, &dialog, action);
    return dialog.exec();
}

} // namespace

class TestDialogLogin : public QObject
{
    Q_OBJECT

private slots:
    void startsWithTheDefaults();
    void widgetTreeAndConnectionsResolve();
    void metaMethodsInOrder();
    void presetAddressesAreOfTheirKind_data();
    void presetAddressesAreOfTheirKind();
    void otherIpEmptiesTheAddress();
    void typedAddressIsReplacedByAnotherPreset();
    void reselectingTheCurrentItemKeepsATypedAddress();
    void translatedLabelMatchesNoPreset();
    void germanLabelsAllMatch();
    void emptiedFieldsAreHandedBackEmpty();
    void connectButtonAccepts();
    void closingRejectsAndNothingIsKept();
    void catalogueTexts_data();
    void catalogueTexts();
};

void TestDialogLogin::startsWithTheDefaults()
{
    DialogLogin dialog;
    QCOMPARE(presets(dialog)->currentIndex(), 0);
    QCOMPARE(presets(dialog)->currentText(), QStringLiteral("Windows auto"));
    QCOMPARE(addressField(dialog)->text(), QLatin1String(DialogLogin::kDefaultAddress));
    QCOMPARE(dialog.IPAddress, QLatin1String(DialogLogin::kDefaultAddress));
    QCOMPARE(dialog.Username, QStringLiteral("tastarello"));
    QCOMPARE(dialog.Password, QStringLiteral("kantor"));
    QCOMPARE(child<QLineEdit>(dialog, "lineEditUser")->text(), QStringLiteral("tastarello"));
    auto *password = child<QLineEdit>(dialog, "lineEditPass");
    QCOMPARE(password->text(), QStringLiteral("kantor"));
    QCOMPARE(password->echoMode(), QLineEdit::Normal);
    QVERIFY(addressField(dialog)->isEnabled());
    QVERIFY(!addressField(dialog)->isReadOnly());
}

void TestDialogLogin::widgetTreeAndConnectionsResolve()
{
    WarningLog log;
    DialogLogin dialog;
    QVERIFY2(WarningLog::connectionFailures().isEmpty(),
             qPrintable(WarningLog::connectionFailures().join('\n')));

    QCOMPARE(dialog.objectName(), QStringLiteral("DialogLogin"));
    QCOMPARE(dialog.windowModality(), Qt::WindowModal);
    QCOMPARE(dialog.size(), QSize(498, 584));
    // Creation order is the focus order.
    const QStringList expected = {"pushButton",   "comboBox", "lineEditIP", "label",  "lineEditUser",
                                  "lineEditPass", "label_2",  "label_3",    "label_4"};
    QStringList created;
    for (QObject *object : dialog.children()) {
        if (expected.contains(object->objectName()))
            created << object->objectName();
    }
    QCOMPARE(created, expected);
    QCOMPARE(child<QPushButton>(dialog, "pushButton")->geometry(), QRect(150, 510, 93, 28));
    QCOMPARE(child<QLabel>(dialog, "label_4")->geometry(), QRect(30, 0, 451, 201));
}

void TestDialogLogin::metaMethodsInOrder()
{
    const QMetaObject &meta = DialogLogin::staticMetaObject;
    const QList<QByteArray> expected = {"SetIPString(QString)",   "getIPSelected(QString)",
                                        "getIPInserted(QString)", "getUsername(QString)",
                                        "getPassword(QString)",   "onConnectButtonClicked()"};
    QCOMPARE(meta.methodCount() - meta.methodOffset(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaMethod method = meta.method(meta.methodOffset() + i);
        QCOMPARE(method.methodSignature(), expected.at(i));
        QCOMPARE(method.methodType(), i == 0 ? QMetaMethod::Signal : QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Public);
    }
}

void TestDialogLogin::presetAddressesAreOfTheirKind_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("subnet");
    QTest::newRow("Windows auto") << 0 << "Windows auto"
                                  << "169.254.0.0/16";
    QTest::newRow("Veltrona Standard 1") << 1 << "Veltrona Standard 1"
                                         << "10.0.0.0/8";
    QTest::newRow("Veltrona Standard 2") << 2 << "Veltrona Standard 2"
                                         << "10.0.0.0/8";
    QTest::newRow("VOXA 1") << 3 << "VOXA 1"
                            << "192.168.0.0/16";
    QTest::newRow("VOXA 2") << 4 << "VOXA 2"
                            << "192.168.0.0/16";
}

void TestDialogLogin::presetAddressesAreOfTheirKind()
{
    QFETCH(int, index);
    QFETCH(QString, label);
    QFETCH(QString, subnet);
    DialogLogin dialog;
    // Start from the last preset so that every choice is a change.
    presets(dialog)->setCurrentIndex(5);
    QSignalSpy emitted(&dialog, SIGNAL(SetIPString(QString)));
    presets(dialog)->setCurrentIndex(index);
    QCOMPARE(presets(dialog)->currentText(), label);
    QCOMPARE(emitted.count(), 1);

    const QHostAddress address(dialog.IPAddress);
    QCOMPARE(address.protocol(), QAbstractSocket::IPv4Protocol);
    QVERIFY(address.isInSubnet(QHostAddress::parseSubnet(subnet)));
    QCOMPARE(addressField(dialog)->text(), dialog.IPAddress);
    if (index == 0)
        QCOMPARE(dialog.IPAddress, QLatin1String(DialogLogin::kDefaultAddress));

    // The second preset of a pair is the first one plus one in the last number.
    if (index == 2 || index == 4) {
        presets(dialog)->setCurrentIndex(index - 1);
        QCOMPARE(QHostAddress(dialog.IPAddress).toIPv4Address() + 1, address.toIPv4Address());
    }
}

void TestDialogLogin::otherIpEmptiesTheAddress()
{
    DialogLogin dialog;
    presets(dialog)->setCurrentIndex(5);
    QCOMPARE(presets(dialog)->currentText(), QStringLiteral("Andere IP"));
    QVERIFY(addressField(dialog)->text().isEmpty());
    QVERIFY(dialog.IPAddress.isEmpty());
    QVERIFY(addressField(dialog)->isEnabled());

    const int result = execWith(
        dialog, [&] { QTest::mouseClick(child<QPushButton>(dialog, "pushButton"), Qt::LeftButton); });
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(dialog.IPAddress.isEmpty());
}

void TestDialogLogin::typedAddressIsReplacedByAnotherPreset()
{
    DialogLogin dialog;
    typeInto(addressField(dialog), QStringLiteral("172.16.5.9"));
    QCOMPARE(dialog.IPAddress, QStringLiteral("172.16.5.9"));

    presets(dialog)->setCurrentIndex(3);
    QVERIFY(dialog.IPAddress != QLatin1String("172.16.5.9"));
    QVERIFY(dialog.IPAddress.startsWith(QLatin1String("192.168.")));
    QCOMPARE(addressField(dialog)->text(), dialog.IPAddress);
}

void TestDialogLogin::reselectingTheCurrentItemKeepsATypedAddress()
{
    DialogLogin dialog;
    presets(dialog)->setCurrentIndex(1);
    typeInto(addressField(dialog), QStringLiteral("10.9.9.9"));
    QSignalSpy emitted(&dialog, SIGNAL(SetIPString(QString)));
    presets(dialog)->setCurrentIndex(1);
    QCOMPARE(emitted.count(), 0);
    QCOMPARE(dialog.IPAddress, QStringLiteral("10.9.9.9"));
    QCOMPARE(addressField(dialog)->text(), QStringLiteral("10.9.9.9"));
}

void TestDialogLogin::translatedLabelMatchesNoPreset()
{
    ScopedCatalogue english(QStringLiteral("en"));
    QVERIFY(english.loaded);
    DialogLogin dialog;
    QCOMPARE(presets(dialog)->itemText(5), QStringLiteral("other ip"));
    typeInto(addressField(dialog), QStringLiteral("10.1.2.3"));

    QSignalSpy emitted(&dialog, SIGNAL(SetIPString(QString)));
    presets(dialog)->setCurrentIndex(5);
    QCOMPARE(emitted.count(), 0);
    QCOMPARE(addressField(dialog)->text(), QStringLiteral("10.1.2.3"));
    QCOMPARE(dialog.IPAddress, QStringLiteral("10.1.2.3"));

    // Labels that English leaves alone still match.
    presets(dialog)->setCurrentIndex(0);
    QCOMPARE(dialog.IPAddress, QLatin1String(DialogLogin::kDefaultAddress));
}

void TestDialogLogin::germanLabelsAllMatch()
{
    ScopedCatalogue german(QStringLiteral("de"));
    QVERIFY(german.loaded);
    DialogLogin dialog;
    const QStringList labels = {
        "Windows auto", "Veltrona Standard 1", "Veltrona Standard 2", "VOXA 1", "VOXA 2", "Andere IP"};
    QSignalSpy emitted(&dialog, SIGNAL(SetIPString(QString)));
    for (int i = labels.size() - 1; i >= 0; --i) {
        QCOMPARE(presets(dialog)->itemText(i), labels.at(i));
        presets(dialog)->setCurrentIndex(i);
    }
    QCOMPARE(emitted.count(), labels.size());
}

void TestDialogLogin::emptiedFieldsAreHandedBackEmpty()
{
    DialogLogin dialog;
    typeInto(child<QLineEdit>(dialog, "lineEditUser"), QStringLiteral("orgel"));
    typeInto(child<QLineEdit>(dialog, "lineEditPass"), QStringLiteral("pfeife"));
    QCOMPARE(dialog.Username, QStringLiteral("orgel"));
    QCOMPARE(dialog.Password, QStringLiteral("pfeife"));
    child<QLineEdit>(dialog, "lineEditUser")->clear();
    child<QLineEdit>(dialog, "lineEditPass")->clear();
    QVERIFY(dialog.Username.isEmpty());
    QVERIFY(dialog.Password.isEmpty());
}

void TestDialogLogin::connectButtonAccepts()
{
    DialogLogin dialog;
    const int result = execWith(
        dialog, [&] { QTest::mouseClick(child<QPushButton>(dialog, "pushButton"), Qt::LeftButton); });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(dialog.IPAddress, QLatin1String(DialogLogin::kDefaultAddress));
}

void TestDialogLogin::closingRejectsAndNothingIsKept()
{
    {
        DialogLogin dialog;
        const int result = execWith(dialog, [&] {
            typeInto(child<QLineEdit>(dialog, "lineEditUser"), QStringLiteral("orgel"));
            presets(dialog)->setCurrentIndex(4);
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QCOMPARE(result, int(QDialog::Rejected));
    }
    DialogLogin next;
    QCOMPARE(next.Username, QStringLiteral("tastarello"));
    QCOMPARE(next.IPAddress, QLatin1String(DialogLogin::kDefaultAddress));
    QCOMPARE(presets(next)->currentIndex(), 0);
}

void TestDialogLogin::catalogueTexts_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("addressLabel");
    QTest::addColumn<QString>("passwordLabel");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("helpEndsWithLineFeed");
    QTest::newRow("missing") << "xx"
                             << "connect"
                             << "IP Adress"
                             << "Password"
                             << "Login Dialog" << true;
    QTest::newRow("German") << "de"
                            << "verbinden"
                            << "IP Adresse"
                            << "Passwort"
                            << "Login Dialog" << false;
    QTest::newRow("English") << "en"
                             << "connect"
                             << "ip address"
                             << "password"
                             << "login dialog" << false;
    QTest::newRow("Italian") << "it"
                             << "connect"
                             << "IP Adress"
                             << "Password"
                             << "Login Dialog" << true;
}

void TestDialogLogin::catalogueTexts()
{
    QFETCH(QString, language);
    QFETCH(QString, button);
    QFETCH(QString, addressLabel);
    QFETCH(QString, passwordLabel);
    QFETCH(QString, title);
    QFETCH(bool, helpEndsWithLineFeed);
    ScopedCatalogue catalogue(language);
    QCOMPARE(catalogue.loaded, language != QLatin1String("xx"));
    QVERIFY(catalogue.translator.language().isEmpty()); // catalogues carry no language tag
    DialogLogin dialog;
    QCOMPARE(child<QPushButton>(dialog, "pushButton")->text(), button);
    QCOMPARE(child<QLabel>(dialog, "label")->text(), addressLabel);
    QCOMPARE(child<QLabel>(dialog, "label_3")->text(), passwordLabel);
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(presets(dialog)->itemText(3), QStringLiteral("VOXA 1"));
    QCOMPARE(presets(dialog)->itemText(4), QStringLiteral("VOXA 2"));
    QVERIFY(catalogue.translator.translate("DialogLogin", "VOXA 1").isNull());
    QVERIFY(catalogue.translator.translate("DialogLogin", "VOXA 2").isNull());
    const QString help = child<QLabel>(dialog, "label_4")->text();
    QCOMPARE(help.endsWith(QLatin1Char('\n')), helpEndsWithLineFeed);
    QCOMPARE(help.count(QLatin1Char('\n')), helpEndsWithLineFeed ? 7 : 6);
    if (language != QLatin1String("en"))
        QVERIFY(help.startsWith(
            QStringLiteral("1) Wählen Sie die IP-Addresse Ihres Tastarello Master-Moduls.\n")));
    else
        QVERIFY(
            help.startsWith(QStringLiteral("1) Choose the IP-address of your Tastarello master module.\n")));
}

QTEST_MAIN(TestDialogLogin)
#include "tst_dialoglogin.moc"
