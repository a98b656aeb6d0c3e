// The widget tree on a bare QMainWindow; what needs MainWindow is in tst_mainwindow.
#include <QtTest>
#include <QtWidgets>

#include "shellsupport.h"
#include "ui_mainwindow.h"

namespace {

// The widgets in creation order, which is the focus order, as "class:name"; the
// classes W, B, L and E stand for QWidget, QPushButton, QLabel and QLineEdit.
const char kWidgetTree[] =
    "W:centralWidget B:pushButton QTabWidget:tabWidget W:tab B:Setup_Start_Stop_btn B:Delete_manual_file_btn "
    "W:tab_2 B:Kalibrieren_Start_Stop_btn W:tab_3 L:label_3 L:label_4 E:Settings_edit_Entprellzeit "
    "E:Settings_edit_spreiz B:Settings_spreizm_btn B:Settings_spreizp_btn B:Settings_senden_btn W:tab_4 "
    "B:Leerreise_minus_btn B:Leerreise_plus_btn W:tab_5 B:Leerreise_fein_startstop_btn W:tab_6 L:label_5 "
    "E:Schwelle1_edit B:Schwelle1_set_btn L:label_6 B:Schwelle2_set_btn E:Schwelle2_edit L:label_7 "
    "B:Schwelle3_set_btn E:Schwelle3_edit L:label_8 B:Schwelle4_set_btn E:Schwelle4_edit L:label_9 "
    "B:Schwelle5_set_btn E:Schwelle5_edit L:label_10 B:Schwelle6_set_btn E:Schwelle6_edit L:label_11 "
    "B:Schwelle7_set_btn E:Schwelle7_edit L:label_12 B:Schwelle8_set_btn E:Schwelle8_edit L:label_23 "
    "L:label_24 L:label_25 L:label_26 B:Qrgel_cnf_save_btn W:tab_7 B:Alle_Werte_anzeigen_btn L:label_27 "
    "L:label_28 B:Sw_version_master_read_btn B:Sw_version_slave_read_btn B:Hw_version_master_read_btn "
    "B:Master_datum_lesen_btn B:Midi_startnote_setzen_btn B:Hw_version_master_write_btn "
    "B:Master_datum_setzen_btn L:label_29 L:label_30 QComboBox:Hw_version_select_box L:label_31 L:label_32 "
    "B:Firmware_startstop_btn QSpinBox:Boardnr_select_box QSpinBox:Startnote_select_box "
    "B:Write_Flash_configuration_btn B:Clear_all_Flash_configs_btn B:Clear_Flash_config_btn "
    "B:Konfiguration_speichern_btn QTextEdit:Display E:lineEdit B:Senden_btn B:pushButton_4 L:label "
    "L:label_2 L:ManualText B:Werte_ansehen_btn L:label_13 QComboBox:Manual_select_box B:Trennen_btn "
    "B:Reset_Master_btn QToolBar:mainToolBar QStatusBar:statusBar";

struct Tree // built while ignoring the connections to MainWindow's slots, which a bare window lacks
{
    Tree()
    {
        connectFailures([&] { ui.setupUi(&window); });
    }
    QMainWindow window;
    Ui_MainWindow ui;
};

// Every visible text as "object name=text"; items and tabs as "name#index=text".
QStringList visibleTexts()
{
    Tree tree;
    QStringList texts = {"windowTitle=" + tree.window.windowTitle(),
                         "mainToolBar=" + tree.ui.mainToolBar->windowTitle()};
    for (QWidget *widget : tree.window.findChildren<QWidget *>()) {
        if (widget->property("text").isValid())
            texts << widget->objectName() + '=' + widget->property("text").toString();
        auto *combo = qobject_cast<QComboBox *>(widget);
        auto *tabs = qobject_cast<QTabWidget *>(widget);
        for (int i = 0; i < (combo ? combo->count() : tabs ? tabs->count() : 0); ++i)
            texts << widget->objectName() + '#' + QString::number(i) + '=' +
                         (combo ? combo->itemText(i) : tabs->tabText(i));
    }
    return texts;
}

} // namespace

class TestMainWindowUi : public QObject
{
    Q_OBJECT

private slots:
    void widgetTree();
    void catalogues_data();
    void catalogues();
};

void TestMainWindowUi::widgetTree()
{
    const QMap<QString, QString> classes = {
        {"W", "QWidget"}, {"B", "QPushButton"}, {"L", "QLabel"}, {"E", "QLineEdit"}};
    QStringList expected, names;
    for (const QString &entry : QString::fromLatin1(kWidgetTree).split(' ')) {
        names << entry.section(':', 1);
        expected << classes.value(entry.section(':', 0, 0), entry.section(':', 0, 0)) + ':' + names.last();
    }
    // Widgets join the focus chain as they are created; helper widgets inside
    // composite widgets have no listed name.
    Tree tree;
    QStringList chain;
    for (QWidget *widget = tree.window.nextInFocusChain(); widget != &tree.window;
         widget = widget->nextInFocusChain()) {
        const QString entry = QLatin1String(widget->metaObject()->className()) + ':' + widget->objectName();
        if (names.contains(widget->objectName()) && !chain.contains(entry))
            chain << entry;
    }
    QCOMPARE(chain, expected);

    QCOMPARE(tree.window.objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(tree.window.size(), QSize(1216, 716));
    QCOMPARE(tree.ui.Display->geometry(), QRect(10, 480, 691, 191));
    QCOMPARE(tree.ui.Manual_select_box->geometry(), QRect(830, 290, 111, 31));
    // "object.property=value"; the pseudo-property "parent" names the parent widget.
    expected =
        QString("tabWidget.currentIndex=0;Manual_select_box.count=9;Manual_select_box.currentText=Manual 1;"
                "Boardnr_select_box.minimum=1;Boardnr_select_box.maximum=8;Boardnr_select_box.value=1;"
                "Startnote_select_box.minimum=1;Startnote_select_box.maximum=127;"
                "Startnote_select_box.value=36;Hw_version_select_box.currentText=1.3.0.0;"
                "Settings_edit_Entprellzeit.text=50;Settings_edit_spreiz.text=0;"
                "Setup_Start_Stop_btn.parent=tab;Kalibrieren_Start_Stop_btn.parent=tab_2;"
                "Settings_senden_btn.parent=tab_3;Leerreise_plus_btn.parent=tab_4;"
                "Leerreise_fein_startstop_btn.parent=tab_5;Clear_Flash_config_btn.parent=tab_7;"
                "Konfiguration_speichern_btn.parent=centralWidget;ManualText.parent=centralWidget")
            .split(';');
    for (int k = 1; k <= 8; ++k)
        expected << QStringLiteral("Schwelle%1_edit.text=0").arg(k)
                 << QStringLiteral("Schwelle%1_edit.parent=tab_6").arg(k);
    QStringList actual;
    for (const QString &entry : expected) {
        const QString name = entry.section('.', 0, 0), property = entry.section('.', 1).section('=', 0, 0);
        QWidget *widget = child<QWidget>(tree.window, name);
        const QVariant value = property == QLatin1String("parent") ? widget->parentWidget()->objectName()
                                                                   : widget->property(qPrintable(property));
        actual << name + '.' + property + '=' + value.toString();
    }
    QCOMPARE(actual, expected);
    for (int i = 0; i < 7; ++i) // the pages in tab order
        QCOMPARE(tree.ui.tabWidget->widget(i)->objectName(), i ? QStringLiteral("tab_%1").arg(i + 1) : "tab");
    QVERIFY(tree.ui.ManualText->text().startsWith("Mit dieser Funktion werden nach dem Einbau"));
}

void TestMainWindowUi::catalogues_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("changes"); // every text that differs from the source
    QStringList german =
        QString("pushButton=Beenden;Settings_senden_btn=senden;Delete_manual_file_btn=Manual löschen;"
                "Setup_Start_Stop_btn=Neues Manual einrichten;"
                "Clear_all_Flash_configs_btn=lösche alle Flash Konfigurationen")
            .split(';');
    for (int k = 1; k <= 8; ++k)
        german << QStringLiteral("Schwelle%1_set_btn=setzen").arg(k);
    QTest::newRow("missing") << "xx" << QStringList();
    QTest::newRow("Italian") << "it" << QStringList();
    QTest::newRow("German") << "de" << german;
    const QString english =
        "pushButton=Quit;Setup_Start_Stop_btn=setup new manual;Senden_btn=transmit;"
        "Delete_manual_file_btn=delete manual;Trennen_btn=Disconnect;tabWidget#5=dyn. couplers;"
        "Manual_select_box#6=pedal 1;label_26=threshold;mainToolBar=Tastarello 2.2";
    QTest::newRow("English") << "en" << english.split(';'); // samples only
}

void TestMainWindowUi::catalogues()
{
    QFETCH(QString, language);
    QFETCH(QStringList, changes);
    const QStringList source = visibleTexts();
    QVERIFY(source.contains("pushButton=Quit") && source.contains("Delete_manual_file_btn=delete manual "));
    ScopedCatalogue catalogue(language);
    QCOMPARE(catalogue.loaded, language != QLatin1String("xx"));
    const QStringList texts = visibleTexts();
    QCOMPARE(texts.size(), source.size());
    QVERIFY(texts.contains("windowTitle=Tastarello 2.6"));
    const bool samples = language == QLatin1String("en"); // English changes most texts
    QStringList sampleKeys, changed;
    for (const QString &change : changes)
        sampleKeys << change.section('=', 0, 0);
    for (int i = 0; i < texts.size(); ++i)
        if (samples ? sampleKeys.contains(texts[i].section('=', 0, 0)) : texts[i] != source[i])
            changed << texts[i];
    changed.sort();
    changes.sort();
    QCOMPARE(changed, changes);
}

QTEST_MAIN(TestMainWindowUi)
#include "tst_mainwindowui.moc"
