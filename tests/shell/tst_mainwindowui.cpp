// The widget tree on a bare QMainWindow: everything that needs no MainWindow
// object. Connections to the window's own slots cannot resolve here; those are
// checked in tst_mainwindow.
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolBar>
#include <QtTest>

#include <memory>

#include "shellsupport.h"
#include "ui_mainwindow.h"
#include "widgettree.h"

namespace {

struct BuiltTree
{
    QMainWindow window;
    Ui_MainWindow ui;
};

std::unique_ptr<BuiltTree> buildTree()
{
    auto tree = std::make_unique<BuiltTree>();
    // The bare window has none of MainWindow's signals and slots.
    WarningLog expectedFailures;
    tree->ui.setupUi(&tree->window);
    return tree;
}

template <typename T> T *child(QMainWindow &window, const char *name)
{
    T *widget = window.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("widget %s of the expected class is missing", name);
    return widget;
}

// Every visible text of the tree, keyed by object name (items and tabs get an
// index), so that two catalogues can be compared as a whole.
QMap<QString, QString> visibleTexts(QMainWindow &window)
{
    QMap<QString, QString> texts;
    texts.insert(QStringLiteral("windowTitle"), window.windowTitle());
    for (const ExpectedWidget &entry : kWidgetTree) {
        const QString name = QLatin1String(entry.name);
        QWidget *widget = window.findChild<QWidget *>(name);
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            texts.insert(name, button->text());
        else if (auto *label = qobject_cast<QLabel *>(widget))
            texts.insert(name, label->text());
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            texts.insert(name, edit->text());
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            for (int i = 0; i < combo->count(); ++i)
                texts.insert(name + QLatin1Char('#') + QString::number(i), combo->itemText(i));
        else if (auto *tabs = qobject_cast<QTabWidget *>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                texts.insert(name + QLatin1Char('#') + QString::number(i), tabs->tabText(i));
        else if (auto *toolBar = qobject_cast<QToolBar *>(widget))
            texts.insert(name, toolBar->windowTitle());
    }
    return texts;
}

QMap<QString, QString> textsUnder(const QString &language)
{
    ScopedCatalogue catalogue(language);
    if (!language.isEmpty() && language != QLatin1String("xx") && !catalogue.loaded)
        qFatal("catalogue %s did not load", qPrintable(language));
    auto tree = buildTree();
    return visibleTexts(tree->window);
}

} // namespace

class TestMainWindowUi : public QObject
{
    Q_OBJECT

private slots:
    void widgetsHaveTheirNamesClassesAndCreationOrder();
    void tabContentsLiveOnTheirPages();
    void windowProperties();
    void initialValues();
    void geometrySamples_data();
    void geometrySamples();
    void couplerRowsFormTwoColumns();
    void windowIconIsLoadedFromTheWorkingDirectory();
    void germanCatalogueCorrectsExactlyTheListedTexts();
    void missingAndItalianCataloguesShowSourceTexts();
    void englishSamples_data();
    void englishSamples();
    void everyTextButTheTitleHasAMessage_data();
    void everyTextButTheTitleHasAMessage();
};

void TestMainWindowUi::widgetsHaveTheirNamesClassesAndCreationOrder()
{
    auto tree = buildTree();
    QStringList expected;
    for (const ExpectedWidget &entry : kWidgetTree) {
        QWidget *widget = tree->window.findChild<QWidget *>(QLatin1String(entry.name));
        QVERIFY2(widget, entry.name);
        QCOMPARE(widget->metaObject()->className(), entry.className);
        expected << QLatin1String(entry.name);
    }

    // Widgets join the focus chain as they are created, so the chain shows the
    // creation order; helper widgets inside composite widgets have no listed name.
    QStringList chain;
    QWidget *widget = &tree->window;
    do {
        widget = widget->nextInFocusChain();
        if (expected.contains(widget->objectName()) && !chain.contains(widget->objectName()))
            chain << widget->objectName();
    } while (widget != &tree->window);
    QCOMPARE(chain, expected);
}

void TestMainWindowUi::tabContentsLiveOnTheirPages()
{
    auto tree = buildTree();
    QTabWidget *tabs = tree->ui.tabWidget;
    const QWidget *pages[] = {tree->ui.tab,   tree->ui.tab_2, tree->ui.tab_3, tree->ui.tab_4,
                              tree->ui.tab_5, tree->ui.tab_6, tree->ui.tab_7};
    QCOMPARE(tabs->count(), 7);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(tabs->widget(i), pages[i]);

    QCOMPARE(tree->ui.Setup_Start_Stop_btn->parentWidget(), tree->ui.tab);
    QCOMPARE(tree->ui.Kalibrieren_Start_Stop_btn->parentWidget(), tree->ui.tab_2);
    QCOMPARE(tree->ui.Settings_senden_btn->parentWidget(), tree->ui.tab_3);
    QCOMPARE(tree->ui.Leerreise_plus_btn->parentWidget(), tree->ui.tab_4);
    QCOMPARE(tree->ui.Leerreise_fein_startstop_btn->parentWidget(), tree->ui.tab_5);
    QCOMPARE(tree->ui.Schwelle8_edit->parentWidget(), tree->ui.tab_6);
    QCOMPARE(tree->ui.Clear_Flash_config_btn->parentWidget(), tree->ui.tab_7);
    // Not on a page although it is created after the last one.
    QCOMPARE(tree->ui.Konfiguration_speichern_btn->parentWidget(), tree->ui.centralWidget);
    QCOMPARE(tree->ui.ManualText->parentWidget(), tree->ui.centralWidget);
}

void TestMainWindowUi::windowProperties()
{
    auto tree = buildTree();
    QMainWindow &window = tree->window;
    QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));
    QVERIFY(window.isEnabled());
    QCOMPARE(window.size(), QSize(1216, 716));
    QCOMPARE(window.sizePolicy().horizontalPolicy(), QSizePolicy::Maximum);
    QCOMPARE(window.sizePolicy().verticalPolicy(), QSizePolicy::Maximum);
    QCOMPARE(window.sizePolicy().horizontalStretch(), 0);
    QCOMPARE(window.sizePolicy().verticalStretch(), 0);
    QCOMPARE(window.windowTitle(), QStringLiteral("Tastarello 2.6"));
    QCOMPARE(window.centralWidget(), tree->ui.centralWidget);
    QCOMPARE(window.statusBar(), tree->ui.statusBar);
    QCOMPARE(window.toolBarArea(tree->ui.mainToolBar), Qt::TopToolBarArea);
    QVERIFY(tree->ui.mainToolBar->actions().isEmpty());
    QCOMPARE(tree->ui.mainToolBar->windowTitle(), QStringLiteral("Tastarello 2.2"));

    QTabWidget *tabs = tree->ui.tabWidget;
    QCOMPARE(tabs->tabPosition(), QTabWidget::North);
    QVERIFY(tabs->usesScrollButtons());
    QVERIFY(!tabs->tabsClosable());
    QVERIFY(!tabs->tabBarAutoHide());
}

void TestMainWindowUi::initialValues()
{
    auto tree = buildTree();
    Ui_MainWindow &ui = tree->ui;
    QCOMPARE(ui.tabWidget->currentIndex(), 0);
    QCOMPARE(ui.tabWidget->tabText(0), QStringLiteral("Einrichten"));
    QCOMPARE(ui.Manual_select_box->currentText(), QStringLiteral("Manual 1"));
    QCOMPARE(ui.Manual_select_box->count(), 9);
    QCOMPARE(ui.Manual_select_box->itemText(8), QStringLiteral("Piano"));
    QCOMPARE(ui.Boardnr_select_box->value(), 1);
    QCOMPARE(ui.Boardnr_select_box->minimum(), 1);
    QCOMPARE(ui.Boardnr_select_box->maximum(), 8);
    QCOMPARE(ui.Startnote_select_box->value(), 36);
    QCOMPARE(ui.Startnote_select_box->minimum(), 1);
    QCOMPARE(ui.Startnote_select_box->maximum(), 127);
    QCOMPARE(ui.Startnote_select_box->buttonSymbols(), QAbstractSpinBox::NoButtons);
    QCOMPARE(ui.Hw_version_select_box->currentText(), QStringLiteral("1.3.0.0"));
    QCOMPARE(ui.Hw_version_select_box->itemText(1), QStringLiteral("2.0.0.0"));
    QCOMPARE(ui.Settings_edit_Entprellzeit->text(), QStringLiteral("50"));
    QCOMPARE(ui.Settings_edit_spreiz->text(), QStringLiteral("0"));
    const QList<QLineEdit *> thresholds = {ui.Schwelle1_edit, ui.Schwelle2_edit, ui.Schwelle3_edit,
                                           ui.Schwelle4_edit, ui.Schwelle5_edit, ui.Schwelle6_edit,
                                           ui.Schwelle7_edit, ui.Schwelle8_edit};
    for (QLineEdit *edit : thresholds)
        QCOMPARE(edit->text(), QStringLiteral("0"));
    QVERIFY(ui.Display->toPlainText().isEmpty());
    QVERIFY(!ui.Display->isReadOnly());
    QVERIFY(ui.lineEdit->text().isEmpty());
    QVERIFY(!ui.lineEdit->validator());
    QCOMPARE(ui.label_2->alignment(), Qt::AlignRight | Qt::AlignTrailing | Qt::AlignVCenter);
    QVERIFY(ui.ManualText->text().startsWith(QStringLiteral("Mit dieser Funktion werden nach dem Einbau")));
}

void TestMainWindowUi::geometrySamples_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    // One widget of each area of the window and of each tab page.
    QTest::newRow("help text") << "ManualText" << QRect(10, 0, 691, 211);
    QTest::newRow("tabs") << "tabWidget" << QRect(10, 210, 691, 261);
    QTest::newRow("terminal") << "Display" << QRect(10, 480, 691, 191);
    QTest::newRow("instructions") << "label" << QRect(710, 20, 501, 191);
    QTest::newRow("selector") << "Manual_select_box" << QRect(830, 290, 111, 31);
    QTest::newRow("disconnect") << "Trennen_btn" << QRect(970, 290, 191, 28);
    QTest::newRow("command line") << "lineEdit" << QRect(830, 480, 111, 22);
    QTest::newRow("quit") << "pushButton" << QRect(1070, 620, 93, 28);
    QTest::newRow("setup") << "Delete_manual_file_btn" << QRect(470, 40, 191, 41);
    QTest::newRow("settings") << "Settings_senden_btn" << QRect(230, 60, 91, 31);
    QTest::newRow("pre-travel") << "Leerreise_plus_btn" << QRect(100, 80, 131, 51);
    QTest::newRow("couplers") << "Qrgel_cnf_save_btn" << QRect(420, 100, 121, 51);
    QTest::newRow("read column") << "Master_datum_lesen_btn" << QRect(280, 180, 171, 22);
    QTest::newRow("write column") << "Clear_all_Flash_configs_btn" << QRect(460, 90, 211, 21);
}

void TestMainWindowUi::geometrySamples()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    auto tree = buildTree();
    QWidget *widget = tree->window.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
}

void TestMainWindowUi::couplerRowsFormTwoColumns()
{
    auto tree = buildTree();
    // Couplers 1 to 4 on the left, 5 to 8 on the right, four rows each.
    const int labelX[] = {50, 250};
    const int editX[] = {90, 290};
    const int buttonX[] = {140, 330};
    for (int k = 1; k <= 8; ++k) {
        const int column = k <= 4 ? 0 : 1;
        const int y = 70 + 40 * ((k - 1) % 4);
        auto *label = child<QLabel>(tree->window, qPrintable(QStringLiteral("label_%1").arg(k + 4)));
        auto *edit = child<QLineEdit>(tree->window, qPrintable(QStringLiteral("Schwelle%1_edit").arg(k)));
        auto *button =
            child<QAbstractButton>(tree->window, qPrintable(QStringLiteral("Schwelle%1_set_btn").arg(k)));
        QCOMPARE(label->text(), QString::number(k));
        QCOMPARE(label->geometry(), QRect(labelX[column], y, 31, 31));
        QCOMPARE(edit->geometry(), QRect(editX[column], y, 31, 30));
        QCOMPARE(button->geometry(), QRect(buttonX[column], y, 80, 30));
    }
}

void TestMainWindowUi::windowIconIsLoadedFromTheWorkingDirectory()
{
    const QString previous = QDir::currentPath();
    QTemporaryDir empty;
    QVERIFY(QDir::setCurrent(empty.path()));
    auto withoutFile = buildTree();
    QVERIFY(withoutFile->window.windowIcon().availableSizes().isEmpty());

    QTemporaryDir withIcon;
    QVERIFY(QFile::copy(QStringLiteral(TASTARELLO_ICON_FILE),
                        withIcon.filePath(QStringLiteral("tastarello.ico"))));
    QVERIFY(QDir::setCurrent(withIcon.path()));
    auto withFile = buildTree();
    QVERIFY(QDir::setCurrent(previous));
    QVERIFY(!withFile->window.windowIcon().availableSizes().isEmpty());
    QVERIFY(!withFile->window.windowIcon().pixmap(32, 32).isNull());
}

void TestMainWindowUi::germanCatalogueCorrectsExactlyTheListedTexts()
{
    const QMap<QString, QString> source = textsUnder(QString());
    const QMap<QString, QString> german = textsUnder(QStringLiteral("de"));
    QCOMPARE(german.keys(), source.keys());

    QMap<QString, QString> changed;
    for (auto it = source.cbegin(); it != source.cend(); ++it) {
        if (german.value(it.key()) != it.value())
            changed.insert(it.key(), german.value(it.key()));
    }
    QMap<QString, QString> expected = {
        {"pushButton", "Beenden"},
        {"Settings_senden_btn", "senden"},
        {"Delete_manual_file_btn", "Manual löschen"},
        {"Clear_all_Flash_configs_btn", "lösche alle Flash Konfigurationen"},
        {"Setup_Start_Stop_btn", "Neues Manual einrichten"},
    };
    for (int k = 1; k <= 8; ++k)
        expected.insert(QStringLiteral("Schwelle%1_set_btn").arg(k), QStringLiteral("setzen"));
    QCOMPARE(changed, expected);
}

void TestMainWindowUi::missingAndItalianCataloguesShowSourceTexts()
{
    const QMap<QString, QString> source = textsUnder(QString());
    QCOMPARE(textsUnder(QStringLiteral("xx")), source);
    QCOMPARE(textsUnder(QStringLiteral("it")), source);

    // The texts exactly as written, blanks and typographic quotes included.
    QCOMPARE(source.value("pushButton"), QStringLiteral("Quit"));
    QCOMPARE(source.value("Setup_Start_Stop_btn"), QStringLiteral("setup new manual"));
    QCOMPARE(source.value("Delete_manual_file_btn"), QStringLiteral("delete manual "));
    QCOMPARE(source.value("Clear_all_Flash_configs_btn"),
             QStringLiteral("lösche alle Flash-Konfigurationen "));
    const QStringList instructions = source.value("label").split(QLatin1Char('\n'));
    QCOMPARE(instructions.size(), 9);
    QVERIFY(instructions.at(1).isEmpty());
    QVERIFY(instructions.at(4).isEmpty());
    QCOMPARE(instructions.at(5),
             QStringLiteral("* Wenn Sie die Funktion \u201cReset Master\u201d verwenden, "));
}

void TestMainWindowUi::englishSamples_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("title") << "windowTitle"
                           << "Tastarello 2.6";
    QTest::newRow("quit") << "pushButton"
                          << "Quit";
    QTest::newRow("setup") << "Setup_Start_Stop_btn"
                           << "setup new manual";
    QTest::newRow("delete") << "Delete_manual_file_btn"
                            << "delete manual";
    QTest::newRow("send") << "Senden_btn"
                          << "transmit";
    QTest::newRow("disconnect") << "Trennen_btn"
                                << "Disconnect";
    QTest::newRow("tab 5") << "tabWidget#5"
                           << "dyn. couplers";
    QTest::newRow("pedal") << "Manual_select_box#6"
                           << "pedal 1";
    QTest::newRow("piano") << "Manual_select_box#8"
                           << "Piano";
    QTest::newRow("reset") << "Reset_Master_btn"
                           << "Reset Master";
    QTest::newRow("tool bar") << "mainToolBar"
                              << "Tastarello 2.2";
    QTest::newRow("threshold") << "label_26"
                               << "threshold";
}

void TestMainWindowUi::englishSamples()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QCOMPARE(textsUnder(QStringLiteral("en")).value(key), text);
}

void TestMainWindowUi::everyTextButTheTitleHasAMessage_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("German") << "de";
    QTest::newRow("English") << "en";
}

void TestMainWindowUi::everyTextButTheTitleHasAMessage()
{
    QFETCH(QString, language);
    QTranslator catalogue;
    QVERIFY(catalogue.load(QStringLiteral(":/language/spieltool_") + language));
    const QMap<QString, QString> source = textsUnder(QString());
    for (auto it = source.cbegin(); it != source.cend(); ++it) {
        if (it.value().isEmpty())
            continue; // the command line starts empty and has no text to translate
        const QString translation = catalogue.translate("MainWindow", it.value().toUtf8().constData());
        if (it.key() == QLatin1String("windowTitle"))
            QVERIFY2(translation.isNull(), "the window title must have no message");
        else
            QVERIFY2(!translation.isEmpty(), qPrintable(it.key()));
    }
}

QTEST_MAIN(TestMainWindowUi)
#include "tst_mainwindowui.moc"
