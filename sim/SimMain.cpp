#include "platform/SerialLib.h"
#include "sim/bry1/Bry1Corpus.h"
#include "sim/bry1/Bry1Sim.h"
#include "sim/firmware/DldGenerator.h"
#include "sim/hd/HdCorpus.h"
#include "sim/hd/HdSim.h"
#include "sim/hd/HdSwitches.h"
#include "sim/peer/HttpCommand.h"
#include "sim/peer/SimFaults.h"
#include "sim/peer/SimPeer.h"
#include "sim/rack/ModemSim.h"
#include "sim/rack/RackCorpus.h"
#include "sim/rack/RackSim.h"
#include "sim/rack/RdsScript.h"
#include "sim/tavr1/Tavr1Corpus.h"
#include "sim/tavr1/Tavr1Sim.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

// tolvex-sim: the simulated instruments as a program, so a person can point a
// connection at one without hardware. Each subcommand is one function below;
// each of its options is one declaration: name, value, help and what it sets.

namespace {

// Exit codes: 2 for arguments the program cannot take, as the usage says.
constexpr int BadArguments = 2;

struct TOption
{
    QString name;
    QString valueName; // empty: a switch without a value
    QString help;
    std::function<bool(const QString& value)> apply; // false: a malformed value
};

void fail(const QString& command, const QString& text)
{
    std::fprintf(stderr, "tolvex-sim %s: %s\n", qPrintable(command), qPrintable(text));
}

// Parses args against options and applies every option given, in the order
// declared. Returns nothing to go on, or the code to exit with: 0 after
// --help, 2 for an unknown or malformed option (named in the message).
// positionals receives the arguments that are no option; without it there
// may be none.
std::optional<int> parseArguments(const QString& command, const QString& description,
                                  const QStringList& args, const std::vector<TOption>& options,
                                  QStringList* positionals = nullptr,
                                  const QString& positionalSyntax = {})
{
    QCommandLineParser parser;
    parser.setApplicationDescription(description);
    const QCommandLineOption help(QStringList{"h", "help"}, "Shows this help.");
    parser.addOption(help);
    std::vector<QCommandLineOption> declared;
    declared.reserve(options.size());
    for (const TOption& o : options) {
        declared.emplace_back(QStringList{o.name}, o.help, o.valueName);
        parser.addOption(declared.back());
    }
    if (!parser.parse(QStringList{"tolvex-sim"} + args)) {
        fail(command, parser.errorText());
        return BadArguments;
    }
    if (parser.isSet(help)) {
        // The toolkit names the program by its path; a person types this.
        QString text = parser.helpText();
        text.replace(0, text.indexOf('\n'),
                     "Usage: tolvex-sim " + command + " [options]" +
                         (positionalSyntax.isEmpty() ? QString() : " " + positionalSyntax));
        std::fputs(qPrintable(text), stdout);
        return 0;
    }
    if (positionals)
        *positionals = parser.positionalArguments();
    else if (!parser.positionalArguments().isEmpty()) {
        fail(command,
             QString("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
        return BadArguments;
    }
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (!parser.isSet(declared[i]))
            continue;
        const QString value =
            options[i].valueName.isEmpty() ? QString() : parser.value(declared[i]);
        if (!options[i].apply(value)) {
            fail(command, QString("Bad value '%1' for option '--%2'.").arg(value, options[i].name));
            return BadArguments;
        }
    }
    return std::nullopt;
}

std::optional<qint64> numberIn(const QString& text, qint64 min, qint64 max)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok, 0);
    if (!ok || v < min || v > max)
        return std::nullopt;
    return v;
}

// What every simulated unit takes: where it is offered, the fuzz seeds
// instead, and the faults it shows.
struct TRunSettings
{
    bool tcp = false;
    quint16 port = 0;
    bool pty = false;
    QString corpus;
    QList<TSimFault> faults;
    int faultEvery = 10;
    quint32 seed = 1;
    int seconds = 0;
};

QString faultList(const QList<TSimFault>& faults)
{
    QStringList names;
    for (TSimFault f : faults)
        names << SimFaultName(f);
    return names.join(", ");
}

std::vector<TOption> runOptions(TRunSettings& run, const QList<TSimFault>& offered)
{
    return {
        {"tcp", "PORT", "Listens on 127.0.0.1:PORT (0: a free port, printed).",
         [&run](const QString& v) {
             const auto port = numberIn(v, 0, 65535);
             run.tcp = bool(port);
             run.port = quint16(port.value_or(0));
             return run.tcp;
         }},
        {"pty", "", "Offers the unit on a new pseudo-terminal, whose path is printed.",
         [&run](const QString&) { return run.pty = true; }},
        {"corpus", "DIR", "Writes the seeds of this family's fuzz targets under DIR instead.",
         [&run](const QString& v) {
             run.corpus = v;
             return !v.isEmpty();
         }},
        {"faults", "NAME[,NAME...]",
         "The faults to show, of: " + faultList(offered) +
             ". A block fault hits one block in every --fault-every; a silence (neither "
             "answers nor blocks) lasts 5 s and comes at the program's first bytes and every "
             "30 s after; a flood (bytes that are no protocol, as fast as the link takes "
             "them) lasts 5 s, midway between silences; the drop closes the link once, 10 s "
             "after the login. Each fault is printed as it comes (\"fault: garbage (block 14)\").",
         [&run, offered](const QString& v) {
             run.faults.clear();
             for (const QString& name : v.split(',')) {
                 const std::optional<TSimFault> f = SimFaultNamed(name.trimmed());
                 if (!f || !offered.contains(*f))
                     return false;
                 run.faults << *f;
             }
             return true;
         }},
        {"fault-every", "N", "One block in every N carries a block fault (10 by default).",
         [&run](const QString& v) {
             const auto n = numberIn(v, 1, 1000000);
             run.faultEvery = int(n.value_or(10));
             return bool(n);
         }},
        {"seed", "N", "Chooses which blocks carry the faults; the same N, the same blocks.",
         [&run](const QString& v) {
             const auto n = numberIn(v, 0, 0xFFFFFFFFll);
             run.seed = quint32(n.value_or(1));
             return bool(n);
         }},
        {"seconds", "N", "Stops the unit after N seconds.",
         [&run](const QString& v) {
             const auto n = numberIn(v, 1, 1000000);
             run.seconds = int(n.value_or(0));
             return bool(n);
         }},
    };
}

std::vector<TOption> operator+(std::vector<TOption> a, const std::vector<TOption>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Where the unit is offered must be said once: a port or a pseudo-terminal,
// or neither with --corpus.
bool placeIsValid(const QString& command, const TRunSettings& run)
{
    if (run.corpus.isEmpty() ? run.tcp != run.pty : !run.tcp && !run.pty)
        return true;
    fail(command, run.corpus.isEmpty() ? "Give either --tcp PORT or --pty."
                                       : "--corpus writes files and offers no unit.");
    return false;
}

int writeSeeds(bool ok, const QString& error)
{
    if (ok)
        return 0;
    std::fprintf(stderr, "tolvex-sim: %s\n", qPrintable(error));
    return 1;
}

// Offers the unit on a loopback port or a pseudo-terminal, with the faults
// asked for, and runs until killed or --seconds have passed; then it says how
// many blocks it sent, so a run can be checked against what the program got.
int serve(QCoreApplication& app, SimPeer& peer, const TRunSettings& run, const QString& what,
          const std::function<int()>& blocksSent)
{
    peer.setFaults(run.faults, run.faultEvery, run.seed);
    QObject::connect(&peer, &SimPeer::faultShown, &peer, [](const QString& fault) {
        std::printf("fault: %s\n", qPrintable(fault));
        std::fflush(stdout);
    });
    if (run.tcp) {
        const quint16 listening = peer.listenTcp(run.port);
        if (!listening) {
            std::fprintf(stderr, "tolvex-sim: cannot listen on 127.0.0.1:%u\n", unsigned(run.port));
            return 1;
        }
        std::printf("%s listening on 127.0.0.1:%u\n", qPrintable(what), unsigned(listening));
    } else {
        const QString path = peer.openPty();
        if (path.isEmpty()) {
            std::fprintf(stderr, "tolvex-sim: cannot open a pseudo-terminal\n");
            return 1;
        }
        std::printf("%s on %s\n", qPrintable(what), qPrintable(path));
    }
    std::fflush(stdout);
    if (run.seconds > 0) {
        QTimer::singleShot(run.seconds * 1000, &peer, [&] {
            // Long enough for a delayed answer and the second half of a split
            // block to leave.
            peer.finish(500, [&] {
                std::printf("stopped after %d blocks\n", blocksSent());
                std::fflush(stdout);
                app.quit();
            });
        });
    }
    return app.exec();
}

const QList<TSimFault> allFaults = {TSimFault::Garbage,  TSimFault::Split,       TSimFault::Double,
                                    TSimFault::Truncate, TSimFault::BadChecksum, TSimFault::Silence,
                                    TSimFault::Drop,     TSimFault::Flood};

// Opens DEVICE through our serial layer, as the program would, and keeps it, so
// a test can show what the program answers for a port that another holds.
int runHold(QCoreApplication& app, const QStringList& args)
{
    QStringList devices;
    if (const auto exit = parseArguments("hold",
                                         "Opens DEVICE as a serial port and keeps it "
                                         "until killed.",
                                         args, {}, &devices, "DEVICE"))
        return *exit;
    if (devices.size() != 1) {
        fail("hold", "Give one DEVICE.");
        return BadArguments;
    }
    const QString device = devices.first();
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

// What the Tavr1 and the HD unit take alike: both log in the same way, drift
// as on air unless told, and take firmware downloads.
template <class TUnit>
std::vector<TOption> lineUnitOptions(TUnit& sim)
{
    return {
        {"s-protocol", "", "The stamped-block kind of unit (\"SPASSWORD\").",
         [&sim](const QString&) {
             sim.prompt = SimLineUnit::Prompt::SProtocol;
             return true;
         }},
        {"password", "PW", "The unit's password (\"QUMOR7\" by default).",
         [&sim](const QString& v) {
             sim.password = v.toLatin1();
             return true;
         }},
        {"steady", "", "Sends the same readings in every block (they drift as on air by default).",
         [&sim](const QString&) {
             sim.vary = false;
             return true;
         }},
        {"accept-any-image", "",
         "Takes any firmware download, even a partial image, as a careless unit would.",
         [&sim](const QString&) { return sim.download->acceptAnyImage = true; }},
    };
}

// A Tavr1 unit on a loopback TCP port or a pseudo-terminal, for a connection
// to be pointed at: Transport Network, IP 127.0.0.1 and the port, or RS-232
// with TOLVEX_COM<n> set to the printed device.
int runTavr1(QCoreApplication& app, const QStringList& args)
{
    Tavr1Sim sim;
    sim.blockIntervalMs = 125; // the unit's eight blocks a second
    sim.lookLikeAStation();
    sim.vary = true;
    TRunSettings run;
    // The Tavr1's blocks carry no checksum.
    const QList<TSimFault> faults = {TSimFault::Garbage,  TSimFault::Split,   TSimFault::Double,
                                     TSimFault::Truncate, TSimFault::Silence, TSimFault::Drop,
                                     TSimFault::Flood};
    const std::vector<TOption> own = {
        {"revision-c", "", "A unit with the SNMP option (option letter C).",
         [&](const QString&) {
             sim.identification = Tavr1Sim::revisionCIdentification();
             return true;
         }},
        {"alarm-masks", "FIRST,SECOND",
         "The two alarm-mask words (bit n - 1 = alarm n), decimal or 0x-hexadecimal.",
         [&](const QString& v) {
             const QStringList words = v.split(',');
             if (words.size() != 2)
                 return false;
             for (int w = 0; w < 2; ++w) {
                 const auto mask = numberIn(words[w], 0, 0xFFFF);
                 if (!mask)
                     return false;
                 sim.fields.alarmMasks[size_t(w)] = quint16(*mask);
             }
             return true;
         }},
        {"rate", "N", "Sends N blocks a second (8 by default).",
         [&](const QString& v) {
             const auto rate = numberIn(v, 1, 1000);
             if (rate)
                 sim.blockIntervalMs = int(1000 / *rate);
             return bool(rate);
         }},
        {"vary", "", "Lets the readings drift and jitter as on air (the default).",
         [&](const QString&) { return sim.vary = true; }},
    };
    if (const auto exit =
            parseArguments("tavr1", "A simulated Tavr1 unit.", args,
                           runOptions(run, faults) + own + lineUnitOptions(sim)))
        return *exit;
    if (!placeIsValid("tavr1", run))
        return BadArguments;
    if (!run.corpus.isEmpty()) {
        QString error;
        return writeSeeds(writeTavr1Corpus(run.corpus, &error), error);
    }
    return serve(app, sim, run, "Tavr1", [&] { return sim.blocksSent(); });
}

// A Bry1 unit on a loopback TCP port or a pseudo-terminal, or the seeds of
// its fuzz target written into a folder.
int runBry1(QCoreApplication& app, const QStringList& args)
{
    Bry1Sim sim;
    TRunSettings run;
    if (const auto exit =
            parseArguments("bry1", "A simulated Bry1 unit.", args, runOptions(run, allFaults)))
        return *exit;
    if (!placeIsValid("bry1", run))
        return BadArguments;
    if (!run.corpus.isEmpty()) {
        QString error;
        return writeSeeds(writeBry1Corpus(run.corpus, &error), error);
    }
    return serve(app, sim, run, "Bry1", [&] { return sim.blocksSent(); });
}

// A rack system on a loopback TCP port or a pseudo-terminal, or behind a
// simulated modem on a pseudo-terminal: Hardware "Quelda System", Transport
// Network with 127.0.0.1 and the port, or RS-232 / MODEM with TOLVEX_COM<n>
// set to the printed device. --corpus DIR writes the fuzz seeds instead.
int runRack(QCoreApplication& app, const QStringList& args)
{
    TRunSettings run;
    bool modem = false, sProtocol = false, steady = false;
    int family = rkFM;
    QByteArray controller, password;
    std::optional<RdsScript> rdsScript;
    QString rdsError;
    const std::vector<TOption> own = {
        {"modem", "", "Puts a simulated modem in front of the rack (with --pty).",
         [&](const QString&) { return modem = true; }},
        {"family", "fm|tv|am", "The rack: FM (by default, a Nuva1 controller), TV or AM.",
         [&](const QString& v) {
             family = v == "fm" ? rkFM : v == "tv" ? rkTV : v == "am" ? rkAM : rkNone;
             return family != rkNone;
         }},
        {"controller", "NAME", "The module that answers as the rack's controller.",
         [&](const QString& v) {
             controller = v.toLatin1();
             return !controller.isEmpty();
         }},
        {"s-protocol", "", "The stamped-block kind of rack (\"SPASSWORD\").",
         [&](const QString&) { return sProtocol = true; }},
        {"steady", "", "Fixed readings (they drift as on air by default).",
         [&](const QString&) { return steady = true; }},
        {"password", "PW", "The supervisor password (\"QUMOR7\" by default).",
         [&](const QString& v) {
             password = v.toLatin1();
             return !password.isEmpty();
         }},
        {"rds-groups", "FILE",
         "The Lyn1's RDS groups, one a line as four hexadecimal words (\"6201 00F7 E704 "
         "5349\"), looping.",
         [&](const QString& v) {
             QFile file(v);
             if (!file.open(QIODevice::ReadOnly)) {
                 rdsError = "cannot read " + v;
                 return true; // the value is sound; the file is reported below
             }
             rdsScript = RdsScript::fromText(file.readAll(), &rdsError);
             if (!rdsScript)
                 rdsError = v + ": " + rdsError;
             return true;
         }},
    };
    if (const auto exit = parseArguments("rack", "A simulated rack system.", args,
                                         runOptions(run, allFaults) + own))
        return *exit;
    if (!rdsError.isEmpty()) {
        std::fprintf(stderr, "tolvex-sim: %s\n", qPrintable(rdsError));
        return 1;
    }
    if (!placeIsValid("rack", run))
        return BadArguments;
    if (modem && !run.pty) {
        fail("rack", "--modem needs --pty.");
        return BadArguments;
    }
    if (!run.corpus.isEmpty()) {
        QString error;
        return writeSeeds(WriteRackCorpus(run.corpus, &error), error);
    }
    RackSim rack(family);
    ModemSim modemSim(family);
    for (RackUnit* unit : {&rack.unit, &modemSim.unit}) {
        if (!controller.isEmpty())
            unit->controller = controller;
        if (sProtocol)
            unit->prompt = RackUnit::Prompt::SPassword;
        if (!password.isEmpty())
            unit->passwords[3] = password;
        if (rdsScript)
            unit->rds = *rdsScript;
        unit->records.lookLikeAStation(!steady);
    }
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
    const QString name = family == rkFM ? "FM rack" : family == rkTV ? "TV rack" : "AM rack";
    if (modem)
        return serve(app, modemSim, run, name + " behind a modem",
                     [&] { return modemSim.unit.blocksSent(); });
    return serve(app, rack, run, name, [&] { return rack.unit.blocksSent(); });
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
    TRunSettings run;
    // The status switches keep their own reading of a value.
    auto status = [&sim](const char* name) {
        return [&sim, name](const QString& v) {
            return TakeHdStatusSwitch(sim, QStringList{name, v}, 0) == 2;
        };
    };
    const std::vector<TOption> own = {
        {"prak1", "", "A Prak1 (AM/HD) instead of a Vren1.",
         [&](const QString&) {
             sim.setModel(HdSim::Model::Prak1);
             return true;
         }},
        {"no-lcd", "", "A Vren1 without display.",
         [&](const QString&) {
             sim.setModel(HdSim::Model::Vren1);
             return true;
         }},
        {"antenna", "", "The RF input set to Antenna (1.5 kHz a point at most).",
         [&](const QString&) {
             sim.setRfInput(0);
             return true;
         }},
        {"ta-status", "STATE,DELAY_US",
         "The time-alignment state (0..255) and device delay in microseconds the blocks "
         "report.",
         status("--ta-status")},
        {"apply-states", "A1,..,A6", "The apply state of configurations 1..6 (0..255 each).",
         status("--apply-states")},
        {"alarm-masks", "FIRST,SECOND", "The two alarm-mask words (0..0xFFFFFF each).",
         status("--alarm-masks")},
    };
    if (const auto exit = parseArguments("hd",
                                         "A simulated HD unit (a Vren1 with display "
                                         "unless told otherwise).",
                                         args, runOptions(run, allFaults) + own + lineUnitOptions(sim)))
        return *exit;
    if (!placeIsValid("hd", run))
        return BadArguments;
    if (!run.corpus.isEmpty()) {
        const int written = WriteHdCorpus(run.corpus);
        if (written < 0) {
            std::fprintf(stderr, "tolvex-sim: cannot write seeds under %s\n",
                         qPrintable(run.corpus));
            return 1;
        }
        std::printf("%d HD seeds written under %s\n", written, qPrintable(run.corpus));
        return 0;
    }
    // The S-protocol frame carries the echo text only on the network.
    sim.network = run.tcp;
    return serve(app, sim, run, "HD unit", [&] { return sim.blocksSent(); });
}

// The web version file served on a loopback port, or its fuzz seeds.
int runHttp(QCoreApplication& app, const QStringList& args)
{
    int port = -1;
    QString served, corpus;
    const std::vector<TOption> options = {
        {"tcp", "PORT", "Listens on 127.0.0.1:PORT.",
         [&](const QString& v) {
             port = int(numberIn(v, 0, 65535).value_or(-1));
             return port >= 0;
         }},
        {"serve", "FILE", "The file served as /Tolvex_Version.txt.",
         [&](const QString& v) {
             served = v;
             return !v.isEmpty();
         }},
        {"corpus", "DIR", "Writes the version-file fuzz seeds under DIR instead.",
         [&](const QString& v) {
             corpus = v;
             return !v.isEmpty();
         }},
    };
    if (const auto exit = parseArguments("http", "Serves the web version file.", args, options))
        return *exit;
    if (!corpus.isEmpty() && port < 0 && served.isEmpty())
        return WriteVersionFileCorpus(corpus) ? 0 : 1;
    if (!corpus.isEmpty() || port < 0 || served.isEmpty()) {
        fail("http", "Give --tcp PORT and --serve FILE, or --corpus DIR.");
        return BadArguments;
    }
    return ServeVersionFile(app, quint16(port), served);
}

// A synthetic firmware file for trying an update: put it into the DLD folder
// under the name the update dialog looks for, then press Update. Or, with
// --corpus DIR, the seeds of the firmware-file fuzz target.
int runDld(QCoreApplication&, const QStringList& args)
{
    TDldShape shape;
    bool versions = false;
    QString corpus;
    const std::vector<TOption> options = {
        {"lines", "N", "N data records between the S0 and the S9 record.",
         [&](const QString& v) {
             // The header's count (records + 2) must fit the program command.
             const auto n = numberIn(v, 0, 65533);
             shape.records = int(n.value_or(0));
             return bool(n);
         }},
        {"versions", "BOOT,MAIN", "A firmware file with these boot and main versions.",
         [&](const QString& v) {
             const QStringList parts = v.split(',');
             if (parts.size() != 2 || parts[0].isEmpty() || parts[1].isEmpty())
                 return false;
             shape.bootVersion = parts[0];
             shape.mainVersion = parts[1];
             return versions = true;
         }},
        {"network", "VERSION", "A network-module file of this version.",
         [&](const QString& v) {
             shape.networkVersion = v;
             return !v.isEmpty();
         }},
        {"corpus", "DIR", "Writes the firmware-file fuzz seeds under DIR instead.",
         [&](const QString& v) {
             corpus = v;
             return !v.isEmpty();
         }},
    };
    QStringList files;
    if (const auto exit = parseArguments("dld",
                                         "Writes a synthetic firmware file (an S0 record, "
                                         "N data records, an S9) to FILE.",
                                         args, options, &files, "FILE"))
        return *exit;
    if (!corpus.isEmpty() && files.isEmpty()) {
        const int written = WriteFirmwareCorpus(corpus);
        if (written < 0) {
            std::fprintf(stderr, "tolvex-sim: cannot write seeds under %s\n", qPrintable(corpus));
            return 1;
        }
        std::printf("%d firmware seeds written under %s\n", written, qPrintable(corpus));
        return 0;
    }
    if (!corpus.isEmpty() || files.size() != 1 || versions == !shape.networkVersion.isEmpty()) {
        fail("dld", "Give FILE with either --versions BOOT,MAIN or --network VERSION.");
        return BadArguments;
    }
    const QString path = files.first();
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
    const char* description;
    int (*run)(QCoreApplication&, const QStringList&);
};

const Subcommand subcommands[] = {
    {"tavr1", "a simulated Tavr1 unit", runTavr1},
    {"hd", "a simulated HD unit (Vren1 or Prak1)", runHd},
    {"rack", "a simulated rack system, optionally behind a modem", runRack},
    {"bry1", "a simulated Bry1 unit", runBry1},
    {"http", "the web version file on a loopback port", runHttp},
    {"dld", "a synthetic firmware file", runDld},
    {"hold", "a serial port opened and kept, as another program would", runHold},
};

int usage(std::FILE* to, int code)
{
    std::fprintf(to, "usage: tolvex-sim COMMAND [options]; tolvex-sim COMMAND --help lists a "
                     "command's options\n");
    for (const Subcommand& s : subcommands)
        std::fprintf(to, "  %-6s %s\n", s.name, s.description);
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SimPeer::LogLinks = true;
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage(stderr, BadArguments);
    const QString name = args.takeFirst();
    if (name == "--help" || name == "-h")
        return usage(stdout, 0);
    for (const Subcommand& s : subcommands)
        if (name == QLatin1String(s.name))
            return s.run(app, args);
    std::fprintf(stderr, "tolvex-sim: no command '%s'\n", qPrintable(name));
    return usage(stderr, BadArguments);
}
