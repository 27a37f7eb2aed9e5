#include "platform/SerialLib.h"
#include "sim/bry1/Bry1Corpus.h"
#include "sim/bry1/Bry1Sim.h"
#include "sim/firmware/DldGenerator.h"
#include "sim/hd/HdCorpus.h"
#include "sim/hd/HdSim.h"
#include "sim/hd/HdSwitches.h"
#include "sim/peer/HttpCommand.h"
#include "sim/peer/SimPeer.h"
#include "sim/rack/ModemSim.h"
#include "sim/rack/RackCorpus.h"
#include "sim/rack/RackSim.h"
#include "sim/rack/RdsScript.h"
#include "sim/tavr1/Tavr1Corpus.h"
#include "sim/tavr1/Tavr1Sim.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <optional>

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
    sim.blockIntervalMs = 125; // the unit's eight blocks a second
    sim.lookLikeAStation();
    sim.vary = true;
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
        } else if (a == "--revision-c") {
            sim.identification = Tavr1Sim::revisionCIdentification();
        } else if (a == "--alarm-masks" && i + 1 < args.size()) {
            // FIRST,SECOND: the two alarm-mask words (bit n - 1 = alarm n),
            // decimal or 0x-hexadecimal.
            const QStringList words = args[++i].split(',');
            if (words.size() != 2)
                return -1;
            for (int w = 0; w < 2; ++w) {
                bool ok = false;
                const uint v = words[w].trimmed().toUInt(&ok, 0);
                if (!ok || v > 0xFFFF)
                    return -1;
                sim.fields.alarmMasks[size_t(w)] = quint16(v);
            }
        } else if (a == "--rate" && i + 1 < args.size()) {
            bool ok = false;
            const int rate = args[++i].toInt(&ok);
            if (!ok || rate < 1 || rate > 1000)
                return -1;
            sim.blockIntervalMs = 1000 / rate;
        } else if (a == "--vary") {
            sim.vary = true;
        } else if (a == "--accept-any-image") {
            sim.download->acceptAnyImage = true;
        } else if (a == "--steady") {
            sim.vary = false;
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

// A Bry1 unit on a loopback TCP port or a pseudo-terminal, or the seeds of
// its fuzz target written into a folder.
int runBry1(QCoreApplication& app, const QStringList& args)
{
    if (args.size() == 2 && args[0] == "--corpus") {
        QString error;
        if (!writeBry1Corpus(args[1], &error)) {
            std::fprintf(stderr, "tolvex-sim: %s\n", qPrintable(error));
            return 1;
        }
        return 0;
    }
    Bry1Sim sim;
    if (args.size() == 2 && args[0] == "--tcp") {
        bool ok = false;
        const quint16 port = quint16(args[1].toUInt(&ok));
        if (!ok)
            return -1;
        const quint16 listening = sim.listenTcp(port);
        if (!listening) {
            std::fprintf(stderr, "tolvex-sim: cannot listen on 127.0.0.1:%u\n", unsigned(port));
            return 1;
        }
        std::printf("Bry1 listening on 127.0.0.1:%u\n", unsigned(listening));
    } else if (args.size() == 1 && args[0] == "--pty") {
        const QString path = sim.openPty();
        if (path.isEmpty()) {
            std::fprintf(stderr, "tolvex-sim: cannot open a pseudo-terminal\n");
            return 1;
        }
        std::printf("Bry1 on %s\n", qPrintable(path));
    } else {
        return -1;
    }
    std::fflush(stdout);
    return app.exec();
}

// A rack system on a loopback TCP port or a pseudo-terminal, or behind a
// simulated modem on a pseudo-terminal: Hardware "Quelda System", Transport
// Network with 127.0.0.1 and the port, or RS-232 / MODEM with TOLVEX_COM<n>
// set to the printed device. --corpus DIR writes the fuzz seeds instead.
int runRack(QCoreApplication& app, const QStringList& args)
{
    bool tcp = false, pty = false, modem = false, sProtocol = false, steady = false;
    quint16 port = 0;
    int family = rkFM;
    QByteArray controller, password;
    std::optional<RdsScript> rdsScript;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--tcp" && hasValue) {
            bool ok = false;
            port = quint16(args[++i].toUInt(&ok));
            if (!ok)
                return -1;
            tcp = true;
        } else if (a == "--pty") {
            pty = true;
        } else if (a == "--modem") {
            modem = true;
        } else if (a == "--family" && hasValue) {
            const QString f = args[++i];
            family = f == "fm" ? rkFM : f == "tv" ? rkTV : f == "am" ? rkAM : rkNone;
            if (family == rkNone)
                return -1;
        } else if (a == "--controller" && hasValue) {
            controller = args[++i].toLatin1();
        } else if (a == "--s-protocol") {
            sProtocol = true;
        } else if (a == "--steady") {
            steady = true;
        } else if (a == "--password" && hasValue) {
            password = args[++i].toLatin1();
        } else if (a == "--rds-groups" && hasValue) {
            const QString path = args[++i];
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "tolvex-sim: cannot read %s\n", qPrintable(path));
                return 1;
            }
            QString error;
            rdsScript = RdsScript::fromText(file.readAll(), &error);
            if (!rdsScript) {
                std::fprintf(stderr, "tolvex-sim: %s: %s\n", qPrintable(path), qPrintable(error));
                return 1;
            }
        } else if (a == "--corpus" && hasValue) {
            QString error;
            if (!WriteRackCorpus(args[++i], &error)) {
                std::fprintf(stderr, "tolvex-sim: %s\n", qPrintable(error));
                return 1;
            }
            return 0;
        } else {
            return -1;
        }
    }
    if (tcp == pty || (modem && !pty))
        return -1;
    auto setUp = [&](RackUnit& unit) {
        if (!controller.isEmpty())
            unit.controller = controller;
        if (sProtocol)
            unit.prompt = RackUnit::Prompt::SPassword;
        if (!password.isEmpty())
            unit.passwords[3] = password;
        if (rdsScript)
            unit.rds = *rdsScript;
        unit.records.lookLikeAStation(!steady);
    };
    RackSim rack(family);
    ModemSim modemSim(family);
    setUp(rack.unit);
    setUp(modemSim.unit);
    // The FM rack's Kelb1 lights its three LEDs and its alarm bits in turn, so
    // a person sees the panel's lamps and the alarm window change.
    QTimer lamps;
    int lampStep = 0;
    if (family == rkFM) {
        QObject::connect(&lamps, &QTimer::timeout, [&] {
            ++lampStep;
            for (RackUnit* u : {&rack.unit, &modemSim.unit}) {
                SimModuleState& k = u->records.module(SimModule::Kelb1);
                k.status = (k.status & ~0xE0) | (0x80 >> (lampStep % 3));
                k.alarm = (1 << (lampStep % 4)) | (lampStep % 2 ? 0x80 : 0);
            }
        });
        lamps.start(1000);
    }
    const char* name = family == rkFM ? "FM" : family == rkTV ? "TV" : "AM";
    if (tcp) {
        const quint16 listening = rack.listenTcp(port);
        if (!listening) {
            std::fprintf(stderr, "tolvex-sim: cannot listen on 127.0.0.1:%u\n", unsigned(port));
            return 1;
        }
        std::printf("%s rack listening on 127.0.0.1:%u\n", name, unsigned(listening));
    } else {
        const QString path = modem ? modemSim.openPty() : rack.openPty();
        if (path.isEmpty()) {
            std::fprintf(stderr, "tolvex-sim: cannot open a pseudo-terminal\n");
            return 1;
        }
        std::printf("%s rack%s on %s\n", name, modem ? " behind a modem" : "", qPrintable(path));
    }
    std::fflush(stdout);
    return app.exec();
}

// An HD unit (Vren1 with display by default) on a loopback TCP port or a
// pseudo-terminal; or, with --corpus DIR, the seed files of the HD fuzz
// targets written under DIR.
int runHd(QCoreApplication& app, const QStringList& args)
{
    HdSim sim;
    sim.lookLikeAStation();
    sim.useStationSpectrum();
    sim.vary = true;
    bool tcp = false, pty = false;
    quint16 port = 0;
    QString corpus;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (const int taken = TakeHdStatusSwitch(sim, args, i)) {
            if (taken < 0)
                return -1;
            i += taken - 1;
        } else if (a == "--tcp" && i + 1 < args.size()) {
            bool ok = false;
            port = quint16(args[++i].toUInt(&ok));
            if (!ok)
                return -1;
            tcp = true;
        } else if (a == "--pty") {
            pty = true;
        } else if (a == "--corpus" && i + 1 < args.size()) {
            corpus = args[++i];
        } else if (a == "--s-protocol") {
            sim.prompt = HdSim::Prompt::SProtocol;
        } else if (a == "--prak1") {
            sim.setModel(HdSim::Model::Prak1);
        } else if (a == "--no-lcd") {
            sim.setModel(HdSim::Model::Vren1);
        } else if (a == "--antenna") {
            sim.setRfInput(0);
        } else if (a == "--accept-any-image") {
            sim.download->acceptAnyImage = true;
        } else if (a == "--steady") {
            sim.vary = false;
        } else if (a == "--password" && i + 1 < args.size()) {
            sim.password = args[++i].toLatin1();
        } else {
            return -1;
        }
    }
    if (!corpus.isEmpty()) {
        if (tcp || pty)
            return -1;
        const int written = WriteHdCorpus(corpus);
        if (written < 0) {
            std::fprintf(stderr, "tolvex-sim: cannot write seeds under %s\n", qPrintable(corpus));
            return 1;
        }
        std::printf("%d HD seeds written under %s\n", written, qPrintable(corpus));
        return 0;
    }
    if (tcp == pty)
        return -1;
    if (tcp) {
        const quint16 listening = sim.listenTcp(port);
        if (!listening) {
            std::fprintf(stderr, "tolvex-sim: cannot listen on 127.0.0.1:%u\n", unsigned(port));
            return 1;
        }
        std::printf("HD unit listening on 127.0.0.1:%u\n", unsigned(listening));
    } else {
        sim.network = false;
        const QString path = sim.openPty();
        if (path.isEmpty()) {
            std::fprintf(stderr, "tolvex-sim: cannot open a pseudo-terminal\n");
            return 1;
        }
        std::printf("HD unit on %s\n", qPrintable(path));
    }
    std::fflush(stdout);
    return app.exec();
}

// A synthetic firmware file for trying an update: put it into the DLD folder
// under the name the update dialog looks for, then press Update. Or, with
// --corpus DIR, the seeds of the firmware-file fuzz target.
int runDld(QCoreApplication&, const QStringList& args)
{
    if (args.size() == 2 && args[0] == "--corpus") {
        const int written = WriteFirmwareCorpus(args[1]);
        if (written < 0) {
            std::fprintf(stderr, "tolvex-sim: cannot write seeds under %s\n", qPrintable(args[1]));
            return 1;
        }
        std::printf("%d firmware seeds written under %s\n", written, qPrintable(args[1]));
        return 0;
    }
    if (args.isEmpty() || args[0].startsWith("--"))
        return -1;
    const QString path = args[0];
    TDldShape shape;
    bool versions = false;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--lines" && i + 1 < args.size()) {
            bool ok = false;
            shape.records = args[++i].toInt(&ok);
            // The header's count (records + 2) must fit the program command.
            if (!ok || shape.records < 0 || shape.records > 65533)
                return -1;
        } else if (a == "--versions" && i + 2 < args.size()) {
            shape.bootVersion = args[++i];
            shape.mainVersion = args[++i];
            versions = true;
        } else if (a == "--network" && i + 1 < args.size()) {
            shape.networkVersion = args[++i];
        } else {
            return -1;
        }
    }
    if (versions == !shape.networkVersion.isEmpty())
        return -1;
    const QByteArray bytes = MakeDldFile(shape);
    // The DLD folder of a fresh base directory does not exist yet.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "tolvex-sim: cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%s: %d data lines\n", qPrintable(path), shape.records + 2);
    return 0;
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
    {"tavr1",
     "--tcp PORT | --pty [--s-protocol] [--password PW] [--revision-c]\n"
     "        [--alarm-masks FIRST,SECOND] [--rate N] [--steady] [--accept-any-image] | --corpus DIR",
     "a simulated Tavr1 unit on 127.0.0.1:PORT or on a new pseudo-terminal, sending N blocks a\n"
     "      second (8 by default), its readings drifting and jittering as on air (--steady: the\n"
     "      same readings in every block); or the\n"
     "      seeds of the Tavr1 family's fuzz targets, written into DIR/<Name>Fuzz/",
     runTavr1},
    {"bry1", "--tcp PORT | --pty | --corpus DIR",
     "a simulated Bry1 unit on 127.0.0.1:PORT or on a new pseudo-terminal, or its fuzz seeds "
     "written into DIR/Bry1StreamFuzz/",
     runBry1},
    {"http", "--tcp PORT --serve FILE | --corpus DIR",
     "serve FILE as the web version file on 127.0.0.1:PORT, or write its fuzz seeds",
     RunHttpCommand},
    {"rack",
     "--tcp PORT | --pty [--modem] [--family fm|tv|am] [--controller NAME] [--s-protocol] "
     "[--password PW]\n        [--rds-groups FILE] [--steady] | --corpus DIR",
     "a simulated rack system (optionally behind a modem), its readings drifting as on air\n"
     "        (--steady: fixed), or its fuzz seeds in DIR; FILE holds\n"
     "        the Lyn1's RDS groups, one a line as four hexadecimal words (\"6201 00F7 E704 5349\")",
     runRack},
    {"hd",
     "--tcp PORT | --pty [--s-protocol] [--prak1 | --no-lcd] [--antenna] [--password PW] [--steady]\n"
     "        [--ta-status STATE,DELAY_US] [--apply-states A1,..,A6] [--alarm-masks FIRST,SECOND]"
     " [--accept-any-image] | --corpus DIR",
     "a simulated HD unit (Vren1 with display unless told) on 127.0.0.1:PORT or on a new\n"
     "      pseudo-terminal, its readings drifting as on air (--steady: fixed), its blocks reporting\n"
     "      the time-alignment state, device delay, apply states of configurations 1..6 and alarm\n"
     "      masks given; or the HD fuzz seeds under DIR",
     runHd},
    {"dld", "FILE --lines N (--versions BOOT MAIN | --network VERSION) | --corpus DIR",
     "write a synthetic firmware file (an S0 record, N data records, an S9) to FILE, or the "
     "firmware-file fuzz seeds into DIR/DldFileFuzz/",
     runDld},
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
    SimPeer::LogLinks = true;
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
