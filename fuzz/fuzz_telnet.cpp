// libFuzzer target: arbitrary server bytes, cut into arbitrary reads, fed to a fresh telnet client
// whose link is up (its replies stay unflushed: no event loop runs). Integers come from the input's
// end (setup, largest read, each read's length), the stream from its front: seeds are plain streams.

#include "telnetlib1.h"
#include "telnetlib1_p.h"

#include <QCoreApplication>
#include <QTcpSocket>

#include <fuzzer/FuzzedDataProvider.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {
int linkDescriptor = -1; // one end of a socket pair, duplicated for each client; never read

void ignoreLog(QtMsgType, const QMessageLogContext &, const QString &) {}
} // namespace

// The allocator's bookkeeping costs more than the parsing: lighter settings more than double the
// executions per second. For a fuller report of a finding, rerun it with ASAN_OPTIONS set.
extern "C" const char *__asan_default_options()
{
    return "max_malloc_fill_size=0:quarantine_size_mb=1:malloc_context_size=4";
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_NO_GLIB", "1");
    static int argc = 1;
    static char name[] = "fuzz_telnet";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    // The unknown-suboption warning would otherwise flood the output.
    qInstallMessageHandler(ignoreLog);
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0)
        std::abort();
    linkDescriptor = pair[0];
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto setup = input.ConsumeIntegral<uint8_t>();
    static const size_t largestRead[] = {1, 3, 16, 256, 4096, 65536};
    const size_t largest = largestRead[input.ConsumeIntegral<uint8_t>() % 6];

    telnetlib1 client;
    telnetlib1Private *engine = telnetlib1Private::get(&client);
    if (setup & 0x01)
        client.setCredentials(QStringLiteral("user"), QStringLiteral("secret"));
    if (setup & 0x02)
        client.setShellPromptExpr(QRegularExpression(QStringLiteral("\\$ $")));
    if (setup & 0x04) {
        client.setLoginPromptExpr(QRegularExpression());
        client.setPasswordPromptExpr(QRegularExpression());
    }
    if (setup & 0x08)
        QObject::connect(&client, &telnetlib1::loginRequired,
                         [&client] { client.setCredentials(QStringLiteral("late"), QStringLiteral("pw")); });
    if (setup & 0x10) {
        // Receivers that write, close, or (like a nested event loop) bring in a read while parsing.
        QObject::connect(&client, &telnetlib1::message, [&client, engine](const QString &text) {
            if (text.contains(QLatin1Char('q')))
                client.close();
            else if (text.contains(QLatin1Char('s')))
                client.sendData(text);
            else if (text.contains(QLatin1Char('n')))
                engine->receiveBytes(QByteArray("\xff\xfd\x18N", 4));
        });
    }
    client.setTerminalSize(80, 24);

    auto *socket = new QTcpSocket;
    if (!socket->setSocketDescriptor(dup(linkDescriptor)))
        std::abort();
    client.attachSocket(socket);
    engine->socketConnected();
    if (setup & 0x20)
        client.setTerminalSize(132, 50);

    // After kMaxReads reads the rest comes as one, which bounds the time per input.
    constexpr int kMaxReads = 64;
    size_t offset = 0;
    for (int reads = 1; offset < input.remaining_bytes(); ++reads) {
        const size_t wanted = reads < kMaxReads ? input.ConsumeIntegralInRange<size_t>(1, largest) : SIZE_MAX;
        if (offset >= input.remaining_bytes())
            break;
        const size_t length = std::min(wanted, input.remaining_bytes() - offset);
        engine->receiveBytes(reinterpret_cast<const char *>(data) + offset, int(length));
        offset += length;
        // Only an unfinished command may be held back, never more than the sub-negotiation bound.
        if (engine->pending.size() >= kMaxSubnegotiation)
            std::abort();
    }
    return 0;
}
