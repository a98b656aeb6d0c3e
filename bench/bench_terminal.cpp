// The terminal pane under load: the simulator (a separate process) answers
// "gva" with a flood of lines while commands wait in the queue. Reports how long
// the pane takes to show the last line, the largest gap between two ticks of
// the command timer, the pace of the queued commands as the simulator received
// them, the longest stall of the event loop, and resident memory before and
// after.
//
// Runs itself inside a private network namespace (tests/netns-run), because
// the program connects to port 23 only.
//   bench_terminal [--lines N] [--commands N]
// The platform is offscreen unless QT_QPA_PLATFORM says otherwise (for example
// xcb under Xvfb, which includes real painting).

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <unistd.h>

#include "mainwindow.h"
#if __has_include("terminalwriter.h")
// Builds where the pane is written in pieces: the last line is shown once no
// piece waits any more. Without it (older builds, for comparison) a text is in
// the pane as soon as it arrives.
#include "terminalwriter.h"
#define TASTARELLO_PIECEWISE_PANE 1
#endif

namespace {

const char *const kAddress = "169.254.100.100";

long residentKiB(const char *field = "VmRSS:")
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLong();
    return -1;
}

bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Answers the login dialog with the simulator's address.
void answerLoginDialog()
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() != QLatin1String("DialogLogin") || !w->isVisible())
                continue;
            w->findChild<QLineEdit *>(QStringLiteral("lineEditIP"))->setText(QString::fromLatin1(kAddress));
            w->findChild<QPushButton *>(QStringLiteral("pushButton"))->click();
            timer->deleteLater();
            return;
        }
    });
    timer->start(10);
}

// Notes the first paint of a widget after a moment of interest.
class PaintWatcher : public QObject
{
public:
    qint64 armedAt = -1;
    qint64 paintedAt = -1;
    QElapsedTimer *clock = nullptr;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && armedAt >= 0 && paintedAt < 0)
            paintedAt = clock->elapsed();
        return false;
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("TASTARELLO_IN_NETNS")) {
        std::vector<char *> args{const_cast<char *>(TASTARELLO_NETNS_RUN), argv[0]};
        for (int i = 1; i < argc; ++i)
            args.push_back(argv[i]);
        args.push_back(nullptr);
        execv(TASTARELLO_NETNS_RUN, args.data());
        std::perror("bench_terminal: cannot run tests/netns-run");
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOptions({{"lines", "Lines of the flood.", "n", "100000"},
                       {"commands", "Commands queued during the flood.", "n", "15"}});
    parser.process(app);
    const int lines = parser.value("lines").toInt();
    const int commands = parser.value("commands").toInt();

    QTemporaryDir dir;
    const QString simLog = dir.filePath(QStringLiteral("mastersim.log"));
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(TASTARELLO_MASTERSIM),
              {"--listen", kAddress, "--port", "23", "--flood", QString::number(lines), "--log", simLog});
    if (!sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench_terminal: the simulator did not start\n");
        return 1;
    }

    answerLoginDialog();
    MainWindow window;
    if (!waitFor([&] { return window.statusBar()->currentMessage() == QLatin1String("online"); }, 10000)) {
        std::fprintf(stderr, "bench_terminal: no login\n");
        return 1;
    }
    waitFor([&] { return window.pendingCommands().isEmpty(); }, 3000);
    waitFor([] { return false; }, 1500); // let the answer to "gua" settle

    auto *display = window.findChild<QTextEdit *>(QStringLiteral("Display"));
    auto *allValues = window.findChild<QAbstractButton *>(QStringLiteral("Alle_Werte_anzeigen_btn"));
    const long rssBefore = residentKiB();

    QElapsedTimer clock;
    clock.start();
    QList<qint64> ticks;
    QObject::connect(window.commandTimerObject(), &QTimer::timeout, [&] { ticks.append(clock.elapsed()); });
    qint64 longestStall = 0;
    qint64 lastProbe = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestStall = std::max(longestStall, now - lastProbe);
        lastProbe = now;
    });
    probe.start(10);

    // The last flood line may straddle two messages, so the search runs over the
    // end of the previous message and the new one. The answers to the queued
    // commands may follow the last line in the same message: the tail is kept
    // only as long as a part of the line could be in it.
    const QString lastLine = QStringLiteral("gva %1/%1:").arg(lines);
    QString tail;
    qint64 lastLineAt = -1;
    qint64 lastMessageAt = 0;
    int messages = 0;
    qint64 flooded = 0;
    int largestMessage = 0;
    QObject::connect(&window.telnetClient(), &telnetlib1::message, [&](const QString &text) {
        ++messages;
        flooded += text.size();
        largestMessage = std::max(largestMessage, int(text.size()));
        lastMessageAt = clock.elapsed();
        const QString seen = tail + text;
        if (lastLineAt < 0 && seen.contains(lastLine))
            lastLineAt = clock.elapsed();
        tail = seen.right(lastLine.size() - 1);
    });
    const auto inPane = [&] {
#ifdef TASTARELLO_PIECEWISE_PANE
        return lastLineAt >= 0 && !window.terminalWriter()->hasPending();
#else
        return lastLineAt >= 0;
#endif
    };
    PaintWatcher watcher;
    watcher.clock = &clock;
    display->viewport()->installEventFilter(&watcher);

    const int blocksBefore = display->document()->blockCount();
    const qint64 start = clock.elapsed();
    lastProbe = start;
    allValues->click();
    for (int i = 0; i < commands; ++i)
        window.queueCommand(QStringLiteral("gsm"), Send, 0);

    // Done at the first paint after the last line reached the pane (or 2 s
    // later without a paint); given up when nothing has arrived for
    // kSilenceMs and the last line is still missing.
    const qint64 kSilenceMs = 10000;
    qint64 inPaneAt = -1;
    bool shown = false;
    waitFor(
        [&] {
            if (inPaneAt < 0 && inPane()) {
                inPaneAt = clock.elapsed();
                watcher.armedAt = inPaneAt;
            }
            shown = watcher.paintedAt >= 0 || (inPaneAt >= 0 && clock.elapsed() - inPaneAt > 2000);
            const qint64 now = clock.elapsed();
            return shown || (lastLineAt < 0 && now - std::max(lastMessageAt, start) > kSilenceMs) ||
                   (lastLineAt >= 0 && inPaneAt < 0 && now - lastLineAt > 6 * kSilenceMs);
        },
        600000);
    const qint64 shownAt = watcher.paintedAt >= 0 ? watcher.paintedAt : inPaneAt;
    if (!shown)
        std::fprintf(stderr, "bench_terminal: the last line \"%s\" %s\n", qPrintable(lastLine),
                     lastLineAt < 0 ? "did not arrive" : "arrived but did not reach the pane");
    waitFor([&] { return window.pendingCommands().isEmpty(); }, (commands + 5) * 2000);
    waitFor([] { return false; }, 500);
    probe.stop();
    const long rssAfter = residentKiB();
    const long rssPeak = residentKiB("VmHWM:");

    qint64 largestTickGap = 0;
    for (int i = 1; i < ticks.size(); ++i)
        largestTickGap = std::max(largestTickGap, ticks[i] - ticks[i - 1]);

    // The queued commands' pace as the simulator received them.
    QList<QDateTime> arrivals;
    QFile log(simLog);
    if (log.open(QIODevice::ReadOnly)) {
        const QRegularExpression entry(QStringLiteral("^(\\S+) > gsm$"));
        for (const QByteArray &line : log.readAll().split('\n')) {
            const auto m = entry.match(QString::fromLatin1(line));
            if (m.hasMatch())
                arrivals.append(QDateTime::fromString(m.captured(1), Qt::ISODateWithMs));
        }
    }
    qint64 minGap = -1, maxGap = -1;
    for (int i = 1; i < arrivals.size(); ++i) {
        const qint64 gap = arrivals[i - 1].msecsTo(arrivals[i]);
        minGap = minGap < 0 ? gap : std::min(minGap, gap);
        maxGap = std::max(maxGap, gap);
    }

    std::printf("terminal pane under a flood of %d lines (platform %s)\n", lines,
                qPrintable(QGuiApplication::platformName()));
    std::printf(
        "  last line %s after %lld ms (received at %lld ms, in the pane at %lld ms, first paint after "
        "it at %lld ms)\n",
        shown ? "shown" : "NOT shown", static_cast<long long>(shownAt - start),
        static_cast<long long>(lastLineAt - start), static_cast<long long>(inPaneAt - start),
        static_cast<long long>(watcher.paintedAt - start));
    std::printf("  %d messages (largest %d characters), %lld characters, %d paragraphs added to the pane\n",
                messages, largestMessage, static_cast<long long>(flooded),
                display->document()->blockCount() - blocksBefore);
    std::printf("  command timer: %d ticks, largest gap %lld ms\n", int(ticks.size()),
                static_cast<long long>(largestTickGap));
    std::printf("  %d queued commands arrived %d times, gaps %lld..%lld ms\n", commands, int(arrivals.size()),
                static_cast<long long>(minGap), static_cast<long long>(maxGap));
    std::printf("  longest stall of the event loop: %lld ms\n", static_cast<long long>(longestStall));
    std::printf("  resident memory: %ld KiB before, %ld KiB after (peak %ld KiB)\n", rssBefore, rssAfter,
                rssPeak);
    std::fflush(stdout);

    sim.terminate();
    sim.waitForFinished(2000);
    return shown && arrivals.size() == commands ? 0 : 1;
}
