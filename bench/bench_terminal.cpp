// The terminal pane under load, against the simulator as a separate process.
//
// Flood (default): the simulator answers "gva" with N lines of a given length (or of a mebibyte
// with no line end at all) while commands wait in the queue. Reports when the last line is in the
// pane and painted, how long after its arrival at the socket the last byte is in the pane, the
// longest stall of the event loop, the largest gap between command-timer ticks, the pace of the
// queued commands at the simulator, CPU seconds and resident memory.
//
// Stream (--stream RATE --seconds T): the pane is filled first; then the simulator sends RATE
// bytes a second in lines, each carrying the moment it was made, for T seconds. Reports the delay
// from a line's making to its paragraph being in the pane (largest and median, sampled at the first
// and last paragraph of every change of the pane), CPU used as a share of one core, and resident
// memory each second.
//
// Runs itself inside a private network namespace (scripts/netns-run), because the program connects
// to port 23 only.
//   bench_terminal [--lines N] [--line-length N] [--commands N] [--stream RATE --seconds T]
// The platform is offscreen unless QT_QPA_PLATFORM says otherwise (for example xcb under Xvfb,
// which includes real painting).

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

#include "floodwriter.h"
#include "mainwindow.h"
#include "terminalwriter.h"

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

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        // Sleeps until something happens (the stall probe ticks every 10 ms), so that the
        // waiting costs no CPU of its own.
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
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

// The making time in a stream line's paragraph ("s<n> t<us> ..."), or -1.
qint64 madeAt(const QString &paragraph)
{
    static const QRegularExpression stamp(QStringLiteral("s\\d+ t(\\d+) "));
    const auto m = stamp.match(paragraph);
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}

qint64 percentile(QList<qint64> values, double p)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[std::min<qsizetype>(values.size() - 1, qsizetype(p * double(values.size())))];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("TASTARELLO_IN_NETNS")) {
        std::vector<char *> args{const_cast<char *>(TASTARELLO_NETNS_RUN), argv[0]};
        for (int i = 1; i < argc; ++i)
            args.push_back(argv[i]);
        args.push_back(nullptr);
        execv(TASTARELLO_NETNS_RUN, args.data());
        std::perror("bench_terminal: cannot run scripts/netns-run");
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOptions({{"lines", "Lines of the flood.", "n", "100000"},
                       {"line-length", "Characters of a line; 0: a mebibyte with no line end.", "n", "-1"},
                       {"commands", "Commands queued during the flood.", "n", "15"},
                       {"stream", "Bytes a second of a stream instead of a flood.", "rate", "0"},
                       {"seconds", "How long the stream runs.", "t", "60"}});
    parser.process(app);
    const int lines = parser.value("lines").toInt();
    const int lineLength = parser.value("line-length").toInt();
    const int commands = parser.value("commands").toInt();
    const int rate = parser.value("stream").toInt();
    const int seconds = parser.value("seconds").toInt();
    const bool streaming = rate > 0;

    QTemporaryDir dir;
    const QString simLog = dir.filePath(QStringLiteral("mastersim.log"));
    QStringList simArgs{"--listen", kAddress, "--port", "23", "--log", simLog};
    if (streaming)
        simArgs << "--stream" << QString::number(rate) << "--seconds" << QString::number(seconds);
    else
        simArgs << "--flood" << QString::number(lines);
    if (lineLength >= 0)
        simArgs << "--line-length" << QString::number(lineLength);
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(TASTARELLO_MASTERSIM), simArgs);
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

    auto *display = window.findChild<QWidget *>(QStringLiteral("Display"));
    QTextDocument *document = qobject_cast<QPlainTextEdit *>(display)
                                  ? qobject_cast<QPlainTextEdit *>(display)->document()
                                  : qobject_cast<QTextEdit *>(display)->document();
    QWidget *viewport = qobject_cast<QAbstractScrollArea *>(display)->viewport();
    auto *allValues = window.findChild<QAbstractButton *>(QStringLiteral("Alle_Werte_anzeigen_btn"));
    TerminalWriter *writer = window.terminalWriter();

    if (streaming) {
        // A full pane: the stream's paragraphs push out as many as they add.
        QString text;
        for (int i = 0; i < 100000; ++i) {
            text +=
                QStringLiteral("fill %1 ").arg(i) + QString(50, QLatin1Char('.')) + QStringLiteral("\r\n");
            if (text.size() > 1000000 || i == 99999)
                writer->append(std::exchange(text, QString()));
        }
        waitFor([&] { return !writer->hasPending(); }, 120000);
        waitFor([] { return false; }, 500);
    }
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
    QList<long> rssEachSecond;
    QTimer rssProbe;
    QObject::connect(&rssProbe, &QTimer::timeout, [&] { rssEachSecond.append(residentKiB()); });
    rssProbe.start(1000);

    // Arrival: the flood's characters counted as the client reports them; the last one has
    // arrived once all are in. The stream ends with its end line.
    qint64 expected = lineLength > 0    ? qint64(lines) * (lineLength + 2)
                      : lineLength == 0 ? qint64(lines) * FloodWriter::kUnendedLineChars
                                        : 0;
    for (int i = 0; !streaming && lineLength < 0 && i < lines; ++i)
        expected += FloodWriter::line(i, lines).size();
    const QString streamEnd = QStringLiteral("stream end ");
    qint64 received = 0;
    qint64 lastByteAt = -1;
    qint64 lastMessageAt = 0;
    int messages = 0;
    int largestMessage = 0;
    QString tail;
    QObject::connect(&window.telnetClient(), &telnetlib1::message, [&](const QString &text) {
        ++messages;
        received += text.size();
        largestMessage = std::max(largestMessage, int(text.size()));
        lastMessageAt = clock.elapsed();
        if (lastByteAt >= 0)
            return;
        if (streaming) {
            const QString seen = tail + text;
            if (seen.contains(streamEnd))
                lastByteAt = clock.elapsed();
            tail = seen.right(streamEnd.size() - 1);
        } else if (received >= expected) {
            lastByteAt = clock.elapsed();
        }
    });

    // Delays of stream lines, at the first and last paragraph of every change of the pane.
    QList<qint64> delaysUs;
    QObject::connect(document, &QTextDocument::contentsChange, [&](int position, int, int added) {
        if (!streaming || added <= 0)
            return;
        const qint64 now = FloodWriter::monotonicMicroseconds();
        const QTextBlock first = document->findBlock(position);
        const QTextBlock last = document->findBlock(position + added - 1);
        for (const QTextBlock &b : {first, last}) {
            const qint64 made = madeAt(b.text());
            if (made > 0)
                delaysUs.append(now - made);
            if (first == last)
                break;
        }
    });

    PaintWatcher watcher;
    watcher.clock = &clock;
    viewport->installEventFilter(&watcher);

    const int blocksBefore = document->blockCount();
    const double cpuBefore = cpuSeconds();
    const qint64 start = clock.elapsed();
    lastProbe = start;
    allValues->click();
    for (int i = 0; i < commands; ++i)
        window.queueCommand(QStringLiteral("gsm"), Send, 0);

    // Done at the first paint after the last byte reached the pane (or 2 s later without a
    // paint); given up when nothing has arrived for kSilenceMs and the last byte is still missing.
    const qint64 kSilenceMs = 10000;
    qint64 inPaneAt = -1;
    bool shown = false;
    waitFor(
        [&] {
            if (inPaneAt < 0 && lastByteAt >= 0 && !writer->hasPending()) {
                inPaneAt = clock.elapsed();
                watcher.armedAt = inPaneAt;
            }
            shown = watcher.paintedAt >= 0 || (inPaneAt >= 0 && clock.elapsed() - inPaneAt > 2000);
            const qint64 now = clock.elapsed();
            return shown || (lastByteAt < 0 && now - std::max(lastMessageAt, start) > kSilenceMs) ||
                   (lastByteAt >= 0 && inPaneAt < 0 && now - lastByteAt > 6 * kSilenceMs);
        },
        3600000);
    const double cpuUsed = cpuSeconds() - cpuBefore;
    const qint64 busyMs = std::max<qint64>(1, (inPaneAt >= 0 ? inPaneAt : clock.elapsed()) - start);
    const qint64 shownAt = watcher.paintedAt >= 0 ? watcher.paintedAt : inPaneAt;
    if (!shown)
        std::fprintf(stderr, "bench_terminal: the last byte %s\n",
                     lastByteAt < 0 ? "did not arrive" : "arrived but did not reach the pane");
    waitFor([&] { return window.pendingCommands().isEmpty(); }, (commands + 5) * 2000);
    waitFor([] { return false; }, 500);
    probe.stop();
    rssProbe.stop();
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

    const auto ms = [](qint64 v) { return static_cast<long long>(v); };
    if (streaming)
        std::printf("terminal pane under a stream of %d bytes/s for %d s (platform %s)\n", rate, seconds,
                    qPrintable(QGuiApplication::platformName()));
    else
        std::printf("terminal pane under a flood of %d lines of length %d (platform %s)\n", lines, lineLength,
                    qPrintable(QGuiApplication::platformName()));
    std::printf("  last byte %s after %lld ms (arrived at %lld ms, in the pane at %lld ms: %lld ms after "
                "arriving; first paint after it at %lld ms)\n",
                shown ? "shown" : "NOT shown", ms(shownAt - start), ms(lastByteAt - start),
                ms(inPaneAt - start), ms(inPaneAt - lastByteAt), ms(watcher.paintedAt - start));
    if (streaming)
        std::printf("  delay from making to the pane: largest %lld ms, median %lld ms (%d samples)\n",
                    ms(percentile(delaysUs, 1.0) / 1000), ms(percentile(delaysUs, 0.5) / 1000),
                    int(delaysUs.size()));
    std::printf("  %d messages (largest %d characters), %lld characters, %d paragraphs in the pane (%+d)\n",
                messages, largestMessage, ms(received), document->blockCount(),
                document->blockCount() - blocksBefore);
    std::printf("  CPU %.2f s in %.2f s: %.0f %% of one core\n", cpuUsed, double(busyMs) / 1000,
                100.0 * cpuUsed * 1000 / double(busyMs));
    std::printf("  command timer: %d ticks, largest gap %lld ms\n", int(ticks.size()), ms(largestTickGap));
    std::printf("  %d queued commands arrived %d times, gaps %lld..%lld ms\n", commands, int(arrivals.size()),
                ms(minGap), ms(maxGap));
    std::printf("  longest stall of the event loop: %lld ms\n", ms(longestStall));
    std::printf("  resident memory: %ld KiB before, %ld KiB after, peak %ld KiB\n", rssBefore, rssAfter,
                rssPeak);
    if (streaming && rssEachSecond.size() > 31) {
        const QList<long> last = rssEachSecond.mid(rssEachSecond.size() - 31);
        std::printf(
            "  resident memory over the last 30 s: %ld KiB at the start, %ld KiB at the end, %ld..%ld KiB\n",
            last.first(), last.last(), *std::min_element(last.begin(), last.end()),
            *std::max_element(last.begin(), last.end()));
    }
    std::fflush(stdout);

    sim.terminate();
    sim.waitForFinished(2000);
    return shown && arrivals.size() == commands ? 0 : 1;
}
