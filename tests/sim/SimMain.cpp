#include "platform/SerialLib.h"

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

struct Subcommand
{
    const char* name;
    const char* arguments;
    const char* description;
    int (*run)(QCoreApplication&, const QStringList&); // -1: bad arguments
};

const Subcommand subcommands[] = {
    {"hold", "DEVICE", "open DEVICE as a serial port and keep it until killed", runHold},
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
