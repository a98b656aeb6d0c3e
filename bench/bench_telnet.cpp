// Throughput of the telnet engine on three kinds of server traffic, each at two
// sizes (their time ratio shows whether the receive loop stays linear) and fed
// as one read, in reads of 64 KiB or one byte per read; libtelnet parses the
// same bytes in the same binary as a reference.
//
// Plain text without NUL is a single text run per read: fed as one read of
// 16 MiB it becomes one 32 MB QString, whose fresh pages dominate that case.
//
// Our engine does more per text run than libtelnet: it decodes the run into a
// QString and emits `message`; the receiver connected here only counts.

#include "telnetlib1.h"
#include "telnetlib1_p.h"

#include <QCoreApplication>
#include <QTcpSocket>

#include <benchmark/benchmark.h>
#include <libtelnet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>

namespace {

enum Stream { PlainText, NulRuns, Negotiation };
const char *const streamNames[] = {"plain CR LF", "NUL runs of 16", "negotiation"};

// Negotiation-dense traffic whose every piece keeps drawing replies: WILL ECHO
// and DO/DONT TERMINAL-TYPE alternate between answered and swallowed, the
// TERMINAL-TYPE SEND is always answered, the NAWS body is read and ignored.
const char negotiationPiece[] = "\xff\xfb\x01"
                                "\xff\xfd\x18"
                                "\xff\xfa\x18\x01\xff\xf0"
                                "\xff\xfe\x18"
                                "\xff\xfa\x1f\x00\x50\x00\x18\xff\xf0"
                                "\xff\xfd\x03"
                                "ok\r\n";

QByteArray makeStream(Stream kind, int size)
{
    QByteArray piece;
    switch (kind) {
    case PlainText:
        piece = "Taste 12: min 0123 max 4011 entprellt 3 ms\r\n";
        break;
    case NulRuns:
        piece = QByteArray("0123456789abcdef", 16) + '\0';
        break;
    case Negotiation:
        piece = QByteArray(negotiationPiece, int(sizeof negotiationPiece) - 1);
        break;
    }
    QByteArray stream;
    stream.reserve(size + piece.size());
    while (stream.size() < size)
        stream += piece;
    stream.truncate(size);
    return stream;
}

const QByteArray &streamFor(Stream kind, int size)
{
    static std::map<std::pair<int, int>, QByteArray> cache;
    QByteArray &stream = cache[{kind, size}];
    if (stream.isEmpty())
        stream = makeStream(kind, size);
    return stream;
}

// A client whose link is up, its socket one end of a socket pair. No event loop
// runs, so the replies collect in the socket's buffer and are dropped with it.
struct LinkedClient
{
    LinkedClient()
    {
        int pair[2];
        if (socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0)
            std::abort();
        peer = pair[1];
        auto *socket = new QTcpSocket;
        if (!socket->setSocketDescriptor(pair[0]))
            std::abort();
        client.attachSocket(socket);
        QObject::connect(&client, &telnetlib1::message,
                         [this](const QString &text) { received += text.size(); });
        engine->socketConnected();
    }
    ~LinkedClient() { ::close(peer); }

    telnetlib1 client;
    telnetlib1Private *engine = telnetlib1Private::get(&client);
    int peer = -1;
    qint64 received = 0;
};

template <typename Read> void feed(const QByteArray &stream, int readSize, Read read)
{
    if (readSize == 0) {
        read(stream.constData(), stream.size());
        return;
    }
    for (int i = 0; i < stream.size(); i += readSize)
        read(stream.constData() + i, std::min(readSize, int(stream.size()) - i));
}

// Arguments: stream kind, size in MiB, bytes per read (0: the whole stream).
void BM_Engine(benchmark::State &state)
{
    const QByteArray &stream = streamFor(Stream(state.range(0)), int(state.range(1)) << 20);
    const int readSize = int(state.range(2));
    for (auto _ : state) {
        state.PauseTiming();
        auto linked = std::make_unique<LinkedClient>();
        state.ResumeTiming();
        feed(stream, readSize, [&](const char *data, int size) { linked->engine->receiveBytes(data, size); });
        benchmark::DoNotOptimize(linked->received);
        state.PauseTiming();
        linked.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.SetLabel(streamNames[state.range(0)]);
}

struct LibtelnetSink
{
    qint64 text = 0;
    qint64 sent = 0;
};

void libtelnetEvent(telnet_t *telnet, telnet_event_t *event, void *user)
{
    auto *sink = static_cast<LibtelnetSink *>(user);
    switch (event->type) {
    case TELNET_EV_DATA:
        sink->text += qint64(event->data.size);
        break;
    case TELNET_EV_SEND:
        sink->sent += qint64(event->data.size);
        break;
    case TELNET_EV_TTYPE:
        if (event->ttype.cmd == TELNET_TTYPE_SEND)
            telnet_ttype_is(telnet, "UNKNOWN");
        break;
    default:
        break;
    }
}

// The option set of our engine, as far as libtelnet's table can say it.
const telnet_telopt_t libtelnetOptions[] = {
    {TELNET_TELOPT_SGA, TELNET_WILL, TELNET_DO},        {TELNET_TELOPT_STATUS, TELNET_WILL, TELNET_DO},
    {TELNET_TELOPT_LOGOUT, TELNET_WILL, TELNET_DO},     {TELNET_TELOPT_TTYPE, TELNET_WILL, TELNET_DONT},
    {TELNET_TELOPT_LINEMODE, TELNET_WILL, TELNET_DONT}, {-1, 0, 0},
};

void BM_Libtelnet(benchmark::State &state)
{
    const QByteArray &stream = streamFor(Stream(state.range(0)), int(state.range(1)) << 20);
    const int readSize = int(state.range(2));
    for (auto _ : state) {
        LibtelnetSink sink;
        telnet_t *telnet = telnet_init(libtelnetOptions, libtelnetEvent, 0, &sink);
        feed(stream, readSize, [&](const char *data, int size) { telnet_recv(telnet, data, size_t(size)); });
        benchmark::DoNotOptimize(sink.text);
        telnet_free(telnet);
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.SetLabel(streamNames[state.range(0)]);
}

void streams(benchmark::internal::Benchmark *b)
{
    b->ArgNames({"stream", "MiB", "read"})->Unit(benchmark::kMillisecond);
    for (int kind : {PlainText, NulRuns, Negotiation})
        for (int read : {0, 65536, 1})
            for (int mib : {1, 16})
                b->Args({kind, mib, read});
}

} // namespace

BENCHMARK(BM_Engine)->Apply(streams);
BENCHMARK(BM_Libtelnet)->Apply(streams);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
