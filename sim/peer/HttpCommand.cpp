#include "sim/peer/HttpCommand.h"

#include "sim/peer/HttpPeer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

bool WriteVersionFileCorpus(const QString& dir)
{
    const QByteArray usual = "Tolvex Version 5.1\r\nVren1 Version 4.05\r\nTavr1 Version 1.21\r\n";
    const QByteArray seeds[] = {
        usual,
        "\xEF\xBB\xBF" + usual,
        "\r\n" + usual,
        "Tolvex Version 5.0",
        "Tolvex Version abc\n",
        "Vren1 Version 4\nTavr1 Version",
        "Tolvex Version",
        QByteArray("\x00\xFFTolvex Version 9.9\x00", 21),
    };
    const QString folder = dir + "/VersionFileFuzz";
    if (!QDir().mkpath(folder))
        return false;
    int n = 0;
    for (const QByteArray& seed : seeds) {
        QFile f(QString("%1/seed%2").arg(folder).arg(n++, 2, 10, QChar('0')));
        if (!f.open(QIODevice::WriteOnly) || f.write(seed) != seed.size())
            return false;
    }
    return true;
}

int RunHttpCommand(QCoreApplication& app, const QStringList& args)
{
    if (args.size() == 2 && args.at(0) == "--corpus")
        return WriteVersionFileCorpus(args.at(1)) ? 0 : 1;
    if (args.size() != 4 || args.at(0) != "--tcp" || args.at(2) != "--serve")
        return -1;
    bool ok = false;
    const quint16 port = quint16(args.at(1).toUInt(&ok));
    if (!ok)
        return -1;
    QFile file(args.at(3));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tolvex-sim: cannot read %s\n", qPrintable(args.at(3)));
        return 1;
    }
    HttpPeer peer;
    peer.serve("/Tolvex_Version.txt", 200, file.readAll());
    if (!peer.listen(port)) {
        std::fprintf(stderr, "tolvex-sim: cannot listen on 127.0.0.1:%u\n", unsigned(port));
        return 1;
    }
    std::printf("serving %s\n", qPrintable(peer.url().toString()));
    std::fflush(stdout);
    return app.exec();
}
