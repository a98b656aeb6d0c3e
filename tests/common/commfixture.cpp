#include "commfixture.h"

#include "catalogues.h"
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
    const auto fail = [this](const QString &why) { return error = why, false; };
    simulator = std::make_unique<MasterSim>(simOptions);
    if (!simulator->listen(QHostAddress(simAddress), simPort))
        return fail(QStringLiteral("the simulator cannot listen (not inside a network namespace?)"));
    answerLoginDialog(answer);
    mainWindow = std::make_unique<MainWindow>(parseStartOptions(QStringList("tastarello") + arguments));
    if (!waitForStatus(QStringLiteral("online"), 8000) || !mainWindow->isEnabled())
        return fail(QStringLiteral("no login: status \"%1\"").arg(statusBar()->currentMessage()));
    if (!QTest::qWaitFor([&] { return receivedTexts().contains("gua"); }, 3000))
        return fail(QStringLiteral("the simulator did not receive \"gua\""));
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
        if (step.startsWith(QLatin1String("type:"))) // typed into the command line and sent
            widget<QLineEdit>("lineEdit")->setText(step.mid(5)), step = QStringLiteral("click:Senden_btn");
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

// Waited for without an event loop: the children only need time, all of them the same.
ChildRun childOfRow(const QStringList &scenarios, int timeoutMs)
{
    static QMap<QString, ChildRun> runs;
    if (runs.isEmpty()) {
        std::vector<QProcess> processes(size_t(scenarios.size()));
        for (int i = 0; i < scenarios.size(); ++i) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QString::fromLatin1(scenarioVariable), scenarios[i]);
            processes[size_t(i)].setProcessEnvironment(env);
            processes[size_t(i)].setProcessChannelMode(QProcess::MergedChannels);
            processes[size_t(i)].start(QCoreApplication::applicationFilePath(), QStringList());
        }
        const QDeadlineTimer deadline(timeoutMs);
        for (int i = 0; i < scenarios.size(); ++i) {
            QProcess &p = processes[size_t(i)];
            ChildRun &run = runs[scenarios[i]];
            run.finished = p.waitForFinished(int(qMax<qint64>(deadline.remainingTime(), 0))) &&
                           p.exitStatus() == QProcess::NormalExit;
            if (!run.finished)
                p.kill(), p.waitForFinished(2000);
            run.exitCode = p.exitCode();
            run.output = QString::fromLocal8Bit(p.readAll());
        }
    }
    return runs.value(QString::fromLatin1(QTest::currentDataTag()));
}

} // namespace commtest
