// MainWindow itself: construction, manual selection, status bar, help texts.
// Every window comes from makeWindow().
#include <QComboBox>
#include <QLabel>
#include <QMetaMethod>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

#include "shellsupport.h"
#include "windowfactory.h"

namespace {

template <typename T> T *child(MainWindow &window, const char *name)
{
    T *widget = window.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("widget %s of the expected class is missing", name);
    return widget;
}

QString firstLine(const QString &text)
{
    return text.section(QLatin1Char('\n'), 0, 0);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void constructionReportsNoFailedConnection();
    void everyButtonHasItsSlot();
    void startsMaximizedAndDisabled();
    void startsWithTheDefaults();
    void selectorSetsManualPianoAndBoardRange();
    void selectorCountsNegativeIndexAsManual();
    void statusColours_data();
    void statusColours();
    void unknownColourKeepsThePreviousOne();
    void tabShowsItsHelpTextAndBack();
    void indexOutsideTheTabsShowsNoText_data();
    void indexOutsideTheTabsShowsNoText();
    void helpTextsUnderCatalogues_data();
    void helpTextsUnderCatalogues();
    void windowSignalsReachTheirWidgets();
    void quitClosesTheWindow();
};

void TestMainWindow::constructionReportsNoFailedConnection()
{
    WarningLog log;
    auto window = makeWindow();
    QVERIFY2(WarningLog::connectionFailures().isEmpty(),
             qPrintable(WarningLog::connectionFailures().join('\n')));
}

void TestMainWindow::everyButtonHasItsSlot()
{
    // Every button named *_btn is wired to the slot of the same name plus _clicked.
    auto window = makeWindow();
    int buttons = 0;
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (!button->objectName().endsWith(QLatin1String("_btn")))
            continue;
        ++buttons;
        const QByteArray slot =
            QMetaObject::normalizedSignature(qPrintable(button->objectName() + "_clicked()"));
        QVERIFY2(window->metaObject()->indexOfSlot(slot) >= MainWindow::staticMetaObject.methodOffset(),
                 slot.constData());
    }
    QCOMPARE(buttons, 35);
}

void TestMainWindow::startsMaximizedAndDisabled()
{
    auto window = makeWindow();
    QVERIFY(window->windowState() & Qt::WindowMaximized);
    QVERIFY(window->isVisible());
    QVERIFY(!window->isEnabled());
}

void TestMainWindow::startsWithTheDefaults()
{
    auto window = makeWindow();
    QCOMPARE(window->currentManualIndex(), 0);
    QVERIFY(!window->isPianoSelected());
    QVERIFY(window->pendingCommands().isEmpty());
    QCOMPARE(child<QTabWidget>(*window, "tabWidget")->currentIndex(), 0);
    QCOMPARE(child<QLabel>(*window, "ManualText")->text(), window->helpText(0));

    QTimer *timer = window->commandTimerObject();
    QVERIFY(timer);
    QCOMPARE(timer->parent(), window.get());
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), MainWindow::kCommandIntervalMs);
}

void TestMainWindow::selectorSetsManualPianoAndBoardRange()
{
    auto window = makeWindow();
    auto *selector = child<QComboBox>(*window, "Manual_select_box");
    auto *board = child<QSpinBox>(*window, "Boardnr_select_box");

    selector->setCurrentText(QStringLiteral("Pedal 1"));
    QCOMPARE(window->currentManualIndex(), 6);
    QVERIFY(!window->isPianoSelected());
    QCOMPARE(board->minimum(), 1);
    QCOMPARE(board->maximum(), 30);
    QCOMPARE(board->value(), 1);

    board->setValue(17);
    selector->setCurrentText(QStringLiteral("Piano"));
    QVERIFY(window->isPianoSelected());
    QCOMPARE(window->currentManualIndex(), 0);
    QCOMPARE(board->maximum(), 8);
    QCOMPARE(board->value(), 1);

    board->setValue(5);
    selector->setCurrentText(QStringLiteral("Manual 3"));
    QVERIFY(!window->isPianoSelected());
    QCOMPARE(window->currentManualIndex(), 2);
    QCOMPARE(board->minimum(), 1);
    QCOMPARE(board->maximum(), 8);
    QCOMPARE(board->value(), 1);

    selector->setCurrentText(QStringLiteral("Pedal 2"));
    QCOMPARE(window->currentManualIndex(), 7);
    QCOMPARE(board->maximum(), 30);
}

void TestMainWindow::selectorCountsNegativeIndexAsManual()
{
    auto window = makeWindow();
    auto *board = child<QSpinBox>(*window, "Boardnr_select_box");
    window->Manualchanged(8);
    QVERIFY(window->isPianoSelected());
    window->Manualchanged(-1);
    QVERIFY(!window->isPianoSelected());
    QCOMPARE(window->currentManualIndex(), -1);
    QCOMPARE(board->maximum(), 8);
    window->Manualchanged(12);
    QVERIFY(window->isPianoSelected());
    QCOMPARE(window->currentManualIndex(), 0);
}

void TestMainWindow::statusColours_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("styleSheet");
    QTest::newRow("black") << int(Black) << "color: black";
    QTest::newRow("red") << int(Red) << "color: red";
    QTest::newRow("green") << int(Green) << "color: green";
    QTest::newRow("blue") << int(Blue) << "color: blue";
}

void TestMainWindow::statusColours()
{
    QFETCH(int, code);
    QFETCH(QString, styleSheet);
    auto window = makeWindow();
    auto *display = child<QTextEdit>(*window, "Display");
    const QString terminal = display->toPlainText();
    window->showStatus(QStringLiteral("online"), code);
    QCOMPARE(window->statusBar()->styleSheet(), styleSheet);
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("online"));
    QCOMPARE(display->toPlainText(), terminal);
}

void TestMainWindow::unknownColourKeepsThePreviousOne()
{
    auto window = makeWindow();
    window->showStatus(QStringLiteral("offline"), Red);
    window->showStatus(QStringLiteral("Reset in 9 s"), 7);
    QCOMPARE(window->statusBar()->styleSheet(), QStringLiteral("color: red"));
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Reset in 9 s"));
    window->showStatus(QStringLiteral("online"), Green);
    window->showStatus(QStringLiteral("weiter"), -1);
    QCOMPARE(window->statusBar()->styleSheet(), QStringLiteral("color: green"));
}

void TestMainWindow::tabShowsItsHelpTextAndBack()
{
    auto window = makeWindow();
    auto *tabs = child<QTabWidget>(*window, "tabWidget");
    auto *help = child<QLabel>(*window, "ManualText");
    QStringList seen;
    for (int i = 1; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCOMPARE(help->text(), window->helpText(i));
        seen << help->text();
    }
    tabs->setCurrentIndex(0);
    QCOMPARE(help->text(), window->helpText(0));
    seen << help->text();
    seen.removeDuplicates();
    QCOMPARE(seen.size(), MainWindow::kHelpTextCount);
}

void TestMainWindow::indexOutsideTheTabsShowsNoText_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("no tab") << -1;
    QTest::newRow("past the last tab") << MainWindow::kHelpTextCount;
}

void TestMainWindow::indexOutsideTheTabsShowsNoText()
{
    QFETCH(int, index);
    auto window = makeWindow();
    QSignalSpy shown(window.get(), SIGNAL(setTabMessage(QString)));
    window->tabchanged(index);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.at(0).at(0).toString(), QString());
    QVERIFY(child<QLabel>(*window, "ManualText")->text().isEmpty());
}

void TestMainWindow::helpTextsUnderCatalogues_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("missing") << "xx";
    QTest::newRow("German") << "de";
    QTest::newRow("English") << "en";
    QTest::newRow("Italian") << "it";
}

void TestMainWindow::helpTextsUnderCatalogues()
{
    QFETCH(QString, language);
    QStringList source;
    {
        auto plain = makeWindow();
        for (int i = 0; i < MainWindow::kHelpTextCount; ++i)
            source << plain->helpText(i);
    }
    ScopedCatalogue catalogue(language);
    auto window = makeWindow();
    QStringList texts;
    for (int i = 0; i < MainWindow::kHelpTextCount; ++i)
        texts << window->helpText(i);
    QCOMPARE(window->windowTitle(), QStringLiteral("Tastarello 2.6"));
    QCOMPARE(child<QLabel>(*window, "ManualText")->text(), texts.at(0));

    if (language == QLatin1String("xx") || language == QLatin1String("it")) {
        QCOMPARE(texts, source);
        QCOMPARE(child<QPushButton>(*window, "pushButton")->text(), QStringLiteral("Quit"));
        QCOMPARE(child<QPushButton>(*window, "Setup_Start_Stop_btn")->text(),
                 QStringLiteral("setup new manual"));
    } else if (language == QLatin1String("de")) {
        QCOMPARE(child<QPushButton>(*window, "pushButton")->text(), QStringLiteral("Beenden"));
        QVERIFY(source.at(1).endsWith(QLatin1String(".  \n")));
        QCOMPARE(texts.at(1), source.at(1).chopped(1));
        const QString activate = QStringLiteral("1) Aktivieren Sie die Koppel am Spieltisch");
        QCOMPARE(texts.at(5), QString(source.at(5)).replace(activate + '\n', activate + ".\n"));
        for (int i : {0, 2, 3, 4, 6})
            QCOMPARE(texts.at(i), source.at(i));
    } else {
        QCOMPARE(firstLine(texts.at(0)), QStringLiteral("With these functions, newly installed manual- oder "
                                                        "pedal-sensors are set up for the first time."));
        QCOMPARE(firstLine(texts.at(4)),
                 QStringLiteral("Interactive adjustment of pre-travel directly on the keyboards."));
        QCOMPARE(firstLine(texts.at(6)),
                 QStringLiteral("This function should only be used by service technicians!"));
        // Written in full, step by step like the German texts.
        for (int i = 0; i < MainWindow::kHelpTextCount; ++i) {
            QVERIFY(texts.at(i) != source.at(i));
            QVERIFY(texts.at(i).count(QLatin1Char('\n')) >= 1);
            for (int step = 1; step <= 8; ++step) {
                const QString marker = QStringLiteral("\n%1) ").arg(step);
                QCOMPARE(texts.at(i).contains(marker), source.at(i).contains(marker));
            }
        }
    }
}

void TestMainWindow::windowSignalsReachTheirWidgets()
{
    auto window = makeWindow();
    auto *display = child<QTextEdit>(*window, "Display");
    emit window->setDisplayMessage(QStringLiteral("fw2"));
    emit window->setDisplayMessage(QStringLiteral("sc2"));
    QCOMPARE(display->toPlainText(), QStringLiteral("fw2\nsc2"));
    emit window->setTabMessage(QStringLiteral("Hilfe"));
    QCOMPARE(child<QLabel>(*window, "ManualText")->text(), QStringLiteral("Hilfe"));

    window->setEnabled(true);
    QTest::mouseClick(child<QPushButton>(*window, "pushButton_4"), Qt::LeftButton);
    QVERIFY(display->toPlainText().isEmpty());
    QCOMPARE(child<QLabel>(*window, "ManualText")->text(), QStringLiteral("Hilfe"));
}

void TestMainWindow::quitClosesTheWindow()
{
    auto window = makeWindow();
    window->setEnabled(true);
    QVERIFY(window->isVisible());
    QTest::mouseClick(child<QPushButton>(*window, "pushButton"), Qt::LeftButton);
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
