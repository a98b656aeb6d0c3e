// MainWindow itself, every one from makeWindow(): start-up, manual selector, status bar, help texts.
#include <QtTest>
#include <QtWidgets>

#include "shellsupport.h"
#include "windowfactory.h"

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void startsUpAndWiresItsWidgets();
    void manualSelector();
    void statusColours();
    void helpTextPerTab();
    void helpTextsUnderCatalogues_data();
    void helpTextsUnderCatalogues();
};

void TestMainWindow::startsUpAndWiresItsWidgets()
{
    std::unique_ptr<MainWindow> window;
    QCOMPARE(connectFailures([&] { window = makeWindow(); }), QStringList());
    QVERIFY(window->windowState() & Qt::WindowMaximized);
    QVERIFY(window->isVisible() && !window->isEnabled());
    QCOMPARE(window->currentManualIndex(), 0);
    QVERIFY(!window->isPianoSelected());
    QVERIFY(window->pendingCommands().isEmpty() && window->commandTimerObject()->isActive());

    auto *display = child<QTextEdit>(*window, "Display");
    auto *help = child<QLabel>(*window, "ManualText");
    emit window->setDisplayMessage("fw2");
    emit window->setDisplayMessage("sc2");
    emit window->setTabMessage("Hilfe");
    QCOMPARE(display->toPlainText() + '|' + help->text(), QStringLiteral("fw2\nsc2|Hilfe"));
    window->setEnabled(true);
    // The clear button empties the terminal and nothing else; Quit closes the window.
    QTest::mouseClick(child<QPushButton>(*window, "pushButton_4"), Qt::LeftButton);
    QCOMPARE(display->toPlainText() + '|' + help->text(), QStringLiteral("|Hilfe"));
    QTest::mouseClick(child<QPushButton>(*window, "pushButton"), Qt::LeftButton);
    QVERIFY(!window->isVisible());
}

void TestMainWindow::manualSelector()
{
    auto window = makeWindow();
    auto *selector = child<QComboBox>(*window, "Manual_select_box");
    auto *board = child<QSpinBox>(*window, "Boardnr_select_box");
    // Each step starts from the state the previous one left; "#n" calls the slot
    // directly, as an emptied selector does with -1.
    QStringList trace;
    for (const QString step : {"Pedal 1", "Piano", "Manual 3", "Pedal 2", "#12", "#-1"}) {
        board->setValue(5);
        if (step.startsWith('#'))
            window->Manualchanged(step.mid(1).toInt());
        else
            selector->setCurrentText(step);
        trace << step + QString::asprintf(": manual %d, piano %d, boards %d..%d at %d",
                                          window->currentManualIndex(), window->isPianoSelected(),
                                          board->minimum(), board->maximum(), board->value());
    }
    QCOMPARE(
        trace,
        QStringList(
            {"Pedal 1: manual 6, piano 0, boards 1..30 at 1", "Piano: manual 0, piano 1, boards 1..8 at 1",
             "Manual 3: manual 2, piano 0, boards 1..8 at 1", "Pedal 2: manual 7, piano 0, boards 1..30 at 1",
             "#12: manual 0, piano 1, boards 1..8 at 1", "#-1: manual -1, piano 0, boards 1..8 at 1"}));
}

void TestMainWindow::statusColours()
{
    auto window = makeWindow();
    // After a message in red or green; a code outside 0..3 keeps the colour it finds.
    QStringList styles;
    for (const QPoint &codes : {QPoint(Red, Black), QPoint(Black, Red), QPoint(Red, Green), QPoint(Red, Blue),
                                QPoint(Red, 7), QPoint(Green, -1)}) {
        window->showStatus("offline", codes.x());
        window->showStatus(QStringLiteral("Reset %1").arg(codes.y()), codes.y());
        styles << window->statusBar()->currentMessage() + ": " + window->statusBar()->styleSheet();
    }
    QCOMPARE(styles, QStringList({"Reset 0: color: black", "Reset 1: color: red", "Reset 2: color: green",
                                  "Reset 3: color: blue", "Reset 7: color: red", "Reset -1: color: green"}));
    QVERIFY(child<QTextEdit>(*window, "Display")->toPlainText().isEmpty()); // the status bar only
}

void TestMainWindow::helpTextPerTab()
{
    const QStringList marks = {"nach dem Einbau",   "Minimal/Maximal-Werte", "Grundparameter",
                               "Leerreise eines",   "Interaktive Justage",   "dynamische Koppeln",
                               "Service-Technikern"}; // in the first line of each tab's text
    auto window = makeWindow();
    auto *tabs = child<QTabWidget>(*window, "tabWidget");
    auto *help = child<QLabel>(*window, "ManualText");
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(help->text(), window->helpText(0));
    for (int tab : {1, 2, 3, 4, 5, 6, 0}) { // and back to the first
        tabs->setCurrentIndex(tab);
        QCOMPARE(help->text(), window->helpText(tab));
        QVERIFY2(help->text().section('\n', 0, 0).contains(marks[tab]), qPrintable(marks[tab]));
    }
    for (int outside : {-1, MainWindow::kHelpTextCount}) {
        help->setText("vorher");
        window->tabchanged(outside);
        QVERIFY(help->text().isEmpty());
    }
}

void TestMainWindow::helpTextsUnderCatalogues_data()
{
    QTest::addColumn<QString>("language");
    for (const char *language : {"xx", "de", "en", "it"})
        QTest::newRow(language) << QString(language);
}

void TestMainWindow::helpTextsUnderCatalogues()
{
    QFETCH(QString, language);
    QStringList source, texts;
    for (const QString &installed : {QString(), language}) {
        ScopedCatalogue catalogue(installed);
        auto window = makeWindow();
        QCOMPARE(window->windowTitle(), QStringLiteral("Tastarello 2.6"));
        for (int i = 0; i < MainWindow::kHelpTextCount; ++i)
            (installed.isEmpty() ? source : texts) << window->helpText(i);
    }
    QStringList expected = source; // a missing or the Italian catalogue changes nothing
    if (language == "de") {        // German corrects two texts
        const QString activate = "1) Aktivieren Sie die Koppel am Spieltisch";
        QVERIFY(source[1].endsWith(".  \n") && source[5].contains(activate + '\n'));
        expected[1].chop(1);
        expected[5].replace(activate + '\n', activate + ".\n");
    }
    if (language != "en") {
        QCOMPARE(texts, expected);
        return;
    }
    const auto firstLine = [&](int i) { return texts[i].section('\n', 0, 0); };
    QCOMPARE(firstLine(0), QStringLiteral("With these functions, newly installed manual- oder "
                                          "pedal-sensors are set up for the first time."));
    QCOMPARE(firstLine(4), QStringLiteral("Interactive adjustment of pre-travel directly on the keyboards."));
    QCOMPARE(firstLine(6), QStringLiteral("This function should only be used by service technicians!"));
    const QRegularExpression step("\n\\d\\) ");          // a numbered step at the start of a line
    for (int i = 0; i < MainWindow::kHelpTextCount; ++i) // in full, step by step like the German texts
        QVERIFY(texts[i] != source[i] && texts[i].count(step) == source[i].count(step));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
