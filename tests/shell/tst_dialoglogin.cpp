// The login dialog on its own: presets, field mirroring, catalogues, results.
#include <QHostAddress>
#include <QtTest>
#include <QtWidgets>

#include "dialoglogin.h"
#include "shellsupport.h"

namespace {

const QString kDefault = QLatin1String(DialogLogin::kDefaultAddress);

const auto presets = [](DialogLogin &dialog) { return child<QComboBox>(dialog, "comboBox"); };
const auto field = [](DialogLogin &dialog, const QString &name = "lineEditIP") {
    return child<QLineEdit>(dialog, name);
};

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Runs exec() while a zero timer acts on the open dialog.
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
    void startsWithTheDefaultsAndMirrorsTheFields();
    void presetChoices_data();
    void presetChoices();
    void catalogueTexts_data();
    void catalogueTexts();
};

void TestDialogLogin::startsWithTheDefaultsAndMirrorsTheFields()
{
    { // a rejected dialog leaves nothing behind for the next one
        DialogLogin rejected;
        const auto changeAndEscape = [&] {
            typeInto(field(rejected, "lineEditUser"), "orgel");
            presets(rejected)->setCurrentIndex(4);
            QTest::keyClick(&rejected, Qt::Key_Escape);
        };
        QCOMPARE(execWith(rejected, changeAndEscape), int(QDialog::Rejected));
    }
    std::unique_ptr<DialogLogin> built;
    QCOMPARE(connectFailures([&] { built = std::make_unique<DialogLogin>(); }), QStringList());
    DialogLogin &dialog = *built;
    const QStringList order = // creation = focus order
        QString("pushButton comboBox lineEditIP label lineEditUser lineEditPass label_2 label_3 label_4")
            .split(' ');
    QStringList created;
    for (QObject *object : dialog.children())
        if (order.contains(object->objectName()))
            created << object->objectName();
    QCOMPARE(created, order);

    const QStringList names = {"lineEditIP", "lineEditUser", "lineEditPass"};
    const auto strings = [&] { return QStringList{dialog.IPAddress, dialog.Username, dialog.Password}; };
    QCOMPARE(presets(dialog)->currentText(), QStringLiteral("Windows auto"));
    QCOMPARE(strings(), QStringList({kDefault, "tastarello", "kantor"}));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(field(dialog, names[i])->text(), strings()[i]);
    QCOMPARE(field(dialog, names[2])->echoMode(), QLineEdit::Normal);
    // Every field lands in its string at once, an emptied one too.
    for (const QStringList &values : {QStringList{"10.1.1.1", "orgel", "pfeife"}, QStringList{"", "", ""}}) {
        for (int i = 0; i < 3; ++i)
            typeInto(field(dialog, names[i]), values[i]);
        QCOMPARE(strings(), values);
    }
    for (int second : {2, 4}) { // the second of each pair is one apart from the first
        presets(dialog)->setCurrentIndex(second - 1);
        const quint32 first = QHostAddress(dialog.IPAddress).toIPv4Address();
        presets(dialog)->setCurrentIndex(second);
        QCOMPARE(QHostAddress(dialog.IPAddress).toIPv4Address(), first + 1);
    }
}

void TestDialogLogin::presetChoices_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("address"); // or the subnet it must lie in
    QTest::addColumn<int>("emitted");
    QTest::newRow("Windows auto") << "de" << 5 << "" << 0 << kDefault << 1;
    QTest::newRow("Veltrona Standard 1") << "de" << 5 << "" << 1 << "10.0.0.0/8" << 1;
    QTest::newRow("Veltrona Standard 2") << "de" << 5 << "" << 2 << "10.0.0.0/8" << 1;
    QTest::newRow("VOXA 1") << "de" << 5 << "" << 3 << "192.168.0.0/16" << 1;
    QTest::newRow("VOXA 2") << "de" << 5 << "" << 4 << "192.168.0.0/16" << 1;
    QTest::newRow("Andere IP") << "de" << 0 << "" << 5 << "" << 1;
    QTest::newRow("typed, then a preset") << "" << 0 << "172.16.5.9" << 3 << "192.168.0.0/16" << 1;
    QTest::newRow("current item again") << "" << 1 << "10.9.9.9" << 1 << "10.9.9.9" << 0;
    QTest::newRow("renamed label") << "en" << 0 << "10.1.2.3" << 5 << "10.1.2.3" << 0;
    QTest::newRow("label English keeps") << "en" << 5 << "10.1.2.3" << 0 << kDefault << 1;
}

void TestDialogLogin::presetChoices()
{
    QFETCH(QString, language);
    QFETCH(int, from);
    QFETCH(QString, typed);
    QFETCH(int, to);
    QFETCH(QString, address);
    QFETCH(int, emitted);
    ScopedCatalogue catalogue(language);
    QCOMPARE(catalogue.loaded, !language.isEmpty());
    DialogLogin dialog;
    presets(dialog)->setCurrentIndex(from);
    if (!typed.isEmpty())
        typeInto(field(dialog), typed);
    QSignalSpy spy(&dialog, SIGNAL(SetIPString(QString)));
    presets(dialog)->setCurrentIndex(to);
    QCOMPARE(spy.count(), emitted);
    if (address.contains('/'))
        QVERIFY(QHostAddress(dialog.IPAddress).isInSubnet(QHostAddress::parseSubnet(address)));
    else
        QCOMPARE(dialog.IPAddress, address);
    QCOMPARE(field(dialog)->text(), dialog.IPAddress);
    QVERIFY(field(dialog)->isEnabled() && !field(dialog)->isReadOnly());
    const QString chosen = dialog.IPAddress;
    auto *connect = child<QPushButton>(dialog, "pushButton");
    QCOMPARE(execWith(dialog, [&] { QTest::mouseClick(connect, Qt::LeftButton); }), int(QDialog::Accepted));
    QCOMPARE(dialog.IPAddress, chosen);
}

void TestDialogLogin::catalogueTexts_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("texts"); // button, address label, password label, title, help label start
    QTest::newRow("missing") << "xx"
                             << "connect|IP Adress|Password|Login Dialog|1) Wählen Sie";
    QTest::newRow("Italian") << "it"
                             << "connect|IP Adress|Password|Login Dialog|1) Wählen Sie";
    QTest::newRow("German") << "de"
                            << "verbinden|IP Adresse|Passwort|Login Dialog|1) Wählen Sie";
    QTest::newRow("English") << "en"
                             << "connect|ip address|password|login dialog|1) Choose the";
}

void TestDialogLogin::catalogueTexts()
{
    QFETCH(QString, language);
    QFETCH(QString, texts);
    ScopedCatalogue catalogue(language);
    QCOMPARE(catalogue.loaded, language != QLatin1String("xx"));
    DialogLogin dialog;
    const QString help = child<QLabel>(dialog, "label_4")->text();
    QCOMPARE(
        QStringList({child<QPushButton>(dialog, "pushButton")->text(), child<QLabel>(dialog, "label")->text(),
                     child<QLabel>(dialog, "label_3")->text(), dialog.windowTitle(), help.section(' ', 0, 2)})
            .join('|'),
        texts);
    // The source help text ends in a line feed that both catalogues drop.
    QCOMPARE(help.count('\n'), catalogue.translator.isEmpty() ? 7 : 6);
    QCOMPARE(presets(dialog)->itemText(3) + presets(dialog)->itemText(4), QStringLiteral("VOXA 1VOXA 2"));
    QVERIFY(catalogue.translator.translate("DialogLogin", "VOXA 1").isNull() &&
            catalogue.translator.translate("DialogLogin", "VOXA 2").isNull()); // no messages
}

QTEST_MAIN(TestDialogLogin)
#include "tst_dialoglogin.moc"
