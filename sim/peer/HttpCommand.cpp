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

int ServeVersionFile(QCoreApplication& app, quint16 port, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tolvex-sim: cannot read %s\n", qPrintable(path));
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
