#include "platform/SerialLib.h"
#include "sim/tavr1/Tavr1Corpus.h"
#include "sim/tavr1/Tavr1Sim.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

// tolvex-sim: the simulated instruments as a program, so a person can point a
// connection at one without hardware. Each subcommand is one function below.

namespace {

// Opens DEVICE through our serial layer, as the program would, and keeps it, so
// a test can show what the program answers for a port that another holds.
int runHold(QCoreApplication& app, const QStringList& args)
{
    if (args.size() != 1)
        return -1;
    const QString device = args.first();
    qputenv("TOLVEX_COM1", device.toLocal8Bit());
    const int result = SioReset(0, 2048, 512);
    if (result < 0) {
        std::fprintf(stderr, "tolvex-sim: cannot open %s (result %d)\n", qPrintable(device),
                     result);
        return 1;
    }
    std::printf("holding %s\n", qPrintable(device));
    std::fflush(stdout);
    return app.exec();
}

// A Tavr1 unit on a loopback TCP port or a pseudo-terminal, for a connection
// to be pointed at: Transport Network, IP 127.0.0.1 and the port, or RS-232
// with TOLVEX_COM<n> set to the printed device.
int runTavr1(QCoreApplication& app, const QStringList& args)
{
    if (args.size() == 2 && args[0] == "--corpus") {
        QString error;
        if (!writeTavr1Corpus(args[1], &error)) {
            std::fprintf(stderr, "tolvex-sim: %s\n", qPrintable(error));
            return 1;
        }
        return 0;
    }
    Tavr1Sim sim;
    bool tcp = false, pty = false;
    quint16 port = 0;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--tcp" && i + 1 < args.size()) {
            bool ok = false;
            port = quint16(args[++i].toUInt(&ok));
            if (!ok)
                return -1;
            tcp = true;
        } else if (a == "--pty") {
            pty = true;
        } else if (a == "--s-protocol") {
            sim.prompt = Tavr1Sim::Prompt::SProtocol;
        } else if (a == "--password" && i + 1 < args.size()) {
            sim.password = args[++i].toLatin1();
        } else {
            return -1;
        }
    }
    if (tcp == pty)
        return -1;
    if (tcp) {
        const quint16 listening = sim.listenTcp(port);
        if (!listening) {
            std::fprintf(stderr, "tolvex-sim: cannot listen on 127.0.0.1:%u\n", unsigned(port));
            return 1;
        }
        std::printf("Tavr1 listening on 127.0.0.1:%u\n", unsigned(listening));
    } else {
        const QString path = sim.openPty();
        if (path.isEmpty()) {
            std::fprintf(stderr, "tolvex-sim: cannot open a pseudo-terminal\n");
            return 1;
        }
        std::printf("Tavr1 on %s\n", qPrintable(path));
    }
    std::fflush(stdout);
    return app.exec();
}

struct Subcommand
{
    const char* name;
    const char* arguments;
    const char* description;
    int (*run)(QCoreApplication&, const QStringList&); // -1: bad arguments
};

const Subcommand subcommands[] = {
    {"hold", "DEVICE", "open DEVICE as a serial port and keep it until killed", runHold},
    {"tavr1", "--tcp PORT | --pty [--s-protocol] [--password PW] | --corpus DIR",
     "a simulated Tavr1 unit on 127.0.0.1:PORT or on a new pseudo-terminal; or the seeds of\n"
     "      the Tavr1 family's fuzz targets, written into DIR/<Name>Fuzz/",
     runTavr1},
};

int usage()
{
    std::fprintf(stderr, "usage:\n");
    for (const Subcommand& s : subcommands)
        std::fprintf(stderr, "  tolvex-sim %s %s\n      %s\n", s.name, s.arguments, s.description);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString name = args.takeFirst();
    for (const Subcommand& s : subcommands) {
        if (name == QLatin1String(s.name)) {
            const int result = s.run(app, args);
            return result < 0 ? usage() : result;
        }
    }
    return usage();
}
