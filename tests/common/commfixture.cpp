#include "commfixture.h"

#include <QtTest>
#include <QtWidgets>

#include "catalogues.h"
#include "displayscaling.h"
#include "startoptions.h"

namespace commtest {

const char *const scenarioVariable = "TASTARELLO_TEST_SCENARIO";

void answerLoginDialog(const LoginAnswer &answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        const QPair<const char *, QString> typed[] = {
            {"lineEditIP", answer.host}, {"lineEditUser", answer.user}, {"lineEditPass", answer.password}};
        for (const auto &field : typed)
            if (!field.second.isNull())
                dialog->findChild<QLineEdit *>(QLatin1String(field.first))->setText(field.second);
        if (answer.reject)
            QMetaObject::invokeMethod(dialog, "reject");
        else if (answer.press)
            answer.press(dialog);
        else
            dialog->findChild<QPushButton *>(QStringLiteral("pushButton"))->click();
    });
}

MessageBoxCloser::MessageBoxCloser(QMessageBox::StandardButton answer) : answer(answer)
{
    connect(&timer, &QTimer::timeout, this, [this] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box || !box->isVisible() || box->property("commtestSeen").toBool())
                continue;
            box->setProperty("commtestSeen", true);
            Seen s{box->windowTitle(), box->text(), false, QString()};
            if (auto *owner = qobject_cast<QMainWindow *>(box->parentWidget()))
                s.windowEnabled = owner->isEnabled(), s.windowStatus = owner->statusBar()->currentMessage();
            seen.append(s);
            if (observer)
                observer(s);
            QAbstractButton *button =
                box->button(this->answer) ? box->button(this->answer) : box->button(QMessageBox::Ok);
            if (this->answer == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Return);
            else if (button)
                button->click();
            else
                box->reject();
            return;
        }
    });
    timer.start(20);
}

bool CommSession::start(LoginAnswer answer)
{
    if (answer.host.isNull() && arguments.isEmpty())
        answer.host = simAddress;
    simulator = std::make_unique<MasterSim>(simOptions);
    if (!simulator->listen(QHostAddress(simAddress), simPort)) {
        error = QStringLiteral("the simulator cannot listen on port 23 (not inside a network namespace?)");
        return false;
    }
    answerLoginDialog(answer);
    mainWindow = std::make_unique<MainWindow>(parseStartOptions(QStringList("tastarello") + arguments));
    if (!waitForStatus(QStringLiteral("online"), 8000) || !mainWindow->isEnabled()) {
        error = QStringLiteral("no login: status \"%1\"").arg(statusBar()->currentMessage());
        return false;
    }
    if (!QTest::qWaitFor([&] { return receivedTexts().contains("gua"); }, 3000)) {
        error = QStringLiteral("the simulator did not receive \"gua\"");
        return false;
    }
    return true;
}

QStringList CommSession::receivedTexts() const
{
    QStringList texts;
    for (const auto &line : simulator->receivedLines())
        texts.append(line.text);
    return texts;
}

bool CommSession::waitForReceived(int count, int timeoutMs)
{
    return QTest::qWaitFor([&] { return simulator->receivedLines().size() >= count; }, timeoutMs);
}

bool CommSession::waitForStatus(const QString &text, int timeoutMs)
{
    return QTest::qWaitFor([&] { return statusBar()->currentMessage() == text; }, timeoutMs);
}

bool CommSession::drainAndClear(int timeoutMs)
{
    if (!QTest::qWaitFor([&] { return mainWindow->pendingCommands().isEmpty(); }, timeoutMs))
        return false;
    // The last line reaches the simulator on a later turn of the event loop: a line sent
    // directly now marks the end of what the queue sent.
    mainWindow->telnetClient().sendData(QStringLiteral("mark"));
    const bool marked =
        QTest::qWaitFor([&] { return receivedTexts().endsWith(QStringLiteral("mark")); }, timeoutMs);
    simulator->clearReceivedLines();
    return marked;
}

QString CommSession::perform(const QStringList &steps)
{
    for (QString step : steps) {
        if (step.startsWith(QLatin1String("select:")))
            step = QStringLiteral("set:Manual_select_box=") + step.mid(7);
        const QString verb = step.section(QLatin1Char(':'), 0, 0);
        const QString value = step.section(QLatin1Char('='), 1);
        QWidget *w =
            widget<QWidget>(step.section(QLatin1Char(':'), 1).section(QLatin1Char('='), 0, 0).toLatin1());
        auto *combo = qobject_cast<QComboBox *>(w);
        auto *spin = qobject_cast<QSpinBox *>(w);
        auto *edit = qobject_cast<QLineEdit *>(w);
        auto *button = qobject_cast<QAbstractButton *>(w);
        const QString text = edit     ? edit->text()
                             : button ? button->text()
                             : spin   ? QStringLiteral("%1 of 1-%2").arg(spin->value()).arg(spin->maximum())
                                      : QString();
        if (verb == QLatin1String("click") && button && button->isEnabled() && mainWindow->isEnabled())
            button->click();
        else if (verb == QLatin1String("set") && combo)
            combo->setCurrentIndex(value.toInt());
        else if (verb == QLatin1String("set") && spin &&
                 (spin->setValue(value.toInt()), spin->value()) == value.toInt())
            continue;
        else if (verb == QLatin1String("set") && edit)
            edit->setText(value);
        else if (verb == QLatin1String("key") && edit) // Return or Up
            QTest::keyClick(edit, value == QLatin1String("Up") ? Qt::Key_Up : Qt::Key_Return);
        else if (verb != QLatin1String("is") || !w || text != value)
            return QStringLiteral("%1: failed (widget %2, text \"%3\")")
                .arg(step, w ? "found" : "missing", text);
    }
    return QString();
}

void installGermanCatalogue()
{
    // As in the program, Qt's own texts included.
    static Catalogues catalogues(QStringLiteral("de"));
}

int runChildWindow(const LoginAnswer &answer, const std::function<QString()> &wire, int limitMs)
{
    // Unbuffered, so that nothing is lost when a fatal path ends the process.
    const auto print = [](const QString &line) { qInfo().noquote() << line; };
    MessageBoxCloser closer;
    closer.observer = [&](const MessageBoxCloser::Seen &s) {
        print(QStringLiteral("BOX|%1|%2|%3|%4")
                  .arg(s.title, s.text)
                  .arg(int(s.windowEnabled))
                  .arg(s.windowStatus));
        if (wire)
            print(QStringLiteral("WIRE[%1]").arg(wire()));
    };
    answerLoginDialog(answer);
    MainWindow window;
    print(QStringLiteral("STATUS|") + window.statusBar()->currentMessage());
    print(QStringLiteral("HOST|") + window.currentLoginData().host);
    if (!QTest::qWaitFor([&] { return window.statusBar()->currentMessage() == QLatin1String("online"); },
                         limitMs))
        return 3;
    print(QStringLiteral("ONLINE"));
    if (wire) {
        // "gua" is the last line the login sends.
        (void)QTest::qWaitFor([&] { return wire().endsWith(QLatin1String("gua")); }, limitMs);
        print(QStringLiteral("WIRE[%1]").arg(wire()));
    }
    return 0;
}

namespace {

// Starts a child per scenario at once; those not done timeoutMs after the start are ended.
QList<ChildRun> runChildScenarios(const QStringList &scenarios, int timeoutMs)
{
    std::vector<QProcess> processes(size_t(scenarios.size()));
    for (int i = 0; i < scenarios.size(); ++i) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(scenarioVariable), scenarios[i]);
        processes[size_t(i)].setProcessEnvironment(env);
        processes[size_t(i)].setProcessChannelMode(QProcess::MergedChannels);
        processes[size_t(i)].start(QCoreApplication::applicationFilePath(), QStringList());
    }
    // Waited for without an event loop: the children only need time, all of them the same.
    const QDeadlineTimer deadline(timeoutMs);
    QList<ChildRun> runs;
    for (int i = 0; i < scenarios.size(); ++i) {
        QProcess &p = processes[size_t(i)];
        ChildRun run;
        run.scenario = scenarios[i];
        run.finished = p.waitForFinished(int(qMax<qint64>(deadline.remainingTime(), 0))) &&
                       p.exitStatus() == QProcess::NormalExit;
        if (!run.finished)
            p.kill(), p.waitForFinished(2000);
        run.exitCode = p.exitCode();
        run.output = QString::fromLocal8Bit(p.readAll());
        runs.append(run);
    }
    return runs;
}

} // namespace

ChildRun childOfRow(const QStringList &scenarios, int timeoutMs)
{
    static QMap<QString, ChildRun> runs;
    if (runs.isEmpty())
        for (const ChildRun &run : runChildScenarios(scenarios, timeoutMs))
            runs.insert(run.scenario, run);
    return runs.value(QString::fromLatin1(QTest::currentDataTag()));
}

int runScaledChild(int argc, char **argv, const ScaledCheck &check)
{
    const QStringList scenario = qEnvironmentVariable(scenarioVariable).split(QLatin1Char(' '));
    if (scenario.size() != 2)
        return -1;
    const qreal factor = scenario[1].toDouble();
    qputenv("QT_FONT_DPI", QByteArray::number(qRound(96 * factor)));
#ifdef Q_OS_WIN
    // With the fonts the program shows, Windows' own (Wine's, with the font engine that the Windows
    // check starts it with), not the offscreen plugin's.
    qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
    enableDisplayScaling();
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const Catalogues catalogues(scenario[0]);
    return check(scenario[0], factor);
}

namespace {

// Whether text shows whole in w as its style draws it.
bool fits(QWidget *w, const QString &text)
{
    const QFontMetrics metrics = w->fontMetrics();
    QRect room = w->contentsRect();
    QRect needed;
    if (auto *button = qobject_cast<QPushButton *>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.features =
            button->autoDefault() ? QStyleOptionButton::AutoDefaultButton : QStyleOptionButton::None;
        room = w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w);
        needed = metrics.boundingRect(room, Qt::AlignCenter | Qt::TextShowMnemonic, text);
    } else if (auto *label = qobject_cast<QLabel *>(w)) {
        const int margin = label->margin(), indent = qMax(label->indent(), 0);
        room.adjust(margin + indent, margin, -margin, -margin);
        const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
        needed = metrics.boundingRect(room, int(label->alignment()) | Qt::TextExpandTabs | wrap, text);
    } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        room = w->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, w);
        needed = metrics.boundingRect(room.adjusted(1, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    return room.contains(needed);
}

} // namespace

QStringList cutOffTexts(QWidget *root, qreal factor, const QMap<QString, QStringList> &runTime)
{
    QStringList cut;
    if (!qFuzzyCompare(root->devicePixelRatioF(), factor))
        cut << QStringLiteral("scaled by %1, not %2").arg(root->devicePixelRatioF()).arg(factor);
    for (QWidget *w : root->findChildren<QWidget *>()) {
        QStringList texts = runTime.value(w->objectName());
        if (auto *button = qobject_cast<QPushButton *>(w))
            texts << button->text();
        else if (auto *label = qobject_cast<QLabel *>(w))
            texts << label->text();
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        else if (auto *tabs = qobject_cast<QTabBar *>(w))
            if (tabs->tabRect(tabs->count() - 1).right() >= tabs->width())
                cut << w->parent()->objectName() + QStringLiteral(": tab ") +
                           tabs->tabText(tabs->count() - 1);
        for (const QString &text : texts)
            if (!fits(w, text))
                cut << w->objectName() + QStringLiteral(": ") +
                           text.section(QLatin1Char('\n'), 0, 0).left(60);
    }
    return cut;
}

QStringList scaledScenarios()
{
    QStringList scenarios;
    for (const char *language : {"de", "en", "it"})
        for (const char *factor : {"1", "1.25", "1.5", "2"})
            scenarios << QStringLiteral("%1 %2").arg(language, factor);
    return scenarios;
}

void addScaledRows()
{
    QTest::addColumn<QString>("scenario");
    for (const QString &scenario : scaledScenarios())
        QTest::newRow(qPrintable(scenario)) << scenario;
}

void verifyScaledRow()
{
    const ChildRun run = childOfRow(scaledScenarios(), 60000);
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.output));
}

bool scrollToAndClick(QWidget *w)
{
    auto *area = w->window()->findChild<QScrollArea *>(QStringLiteral("scrollArea"));
    if (!area)
        return false;
    area->ensureWidgetVisible(w, 0, 0);
    const QRect shown(w->mapTo(area->viewport(), QPoint()), w->size());
    const QRect onScreen(w->mapToGlobal(QPoint()), w->size());
    if (!area->viewport()->rect().contains(shown) || !w->screen()->availableGeometry().contains(onScreen))
        return false;
    QTest::mouseClick(w, Qt::LeftButton);
    return true;
}

} // namespace commtest
