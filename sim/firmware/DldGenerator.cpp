#include "sim/firmware/DldGenerator.h"

#include "protocol/firmware/DldFile.h"
#include "protocol/hd/HdFirmware.h"

#include <QDir>
#include <QFile>

namespace {

QByteArray hex2(unsigned v)
{
    return QByteArray::number(v & 0xFF, 16).toUpper().rightJustified(2, '0');
}

QByteArray record(char type, QByteArray address, const QByteArray& data)
{
    const int count = int(address.size() + data.size() + 1);
    unsigned sum = unsigned(count);
    QByteArray line = QByteArray("S") + type + hex2(unsigned(count));
    for (char b : address + data) {
        line += hex2(quint8(b));
        sum += quint8(b);
    }
    return line + hex2(~sum);
}

QByteArray be(quint32 v, int width)
{
    QByteArray out;
    for (int i = width - 1; i >= 0; --i)
        out += char((v >> (8 * i)) & 0xFF);
    return out;
}

} // namespace

QByteArray MakeDldFile(const TDldShape& shape)
{
    const int records = std::max(0, shape.records);
    const QByteArray& e = shape.lineEnd;
    QByteArray out = QByteArray::number(records + 2) + e;
    if (shape.networkVersion.isEmpty())
        out += shape.bootVersion.toLatin1() + e + shape.mainVersion.toLatin1() + e;
    else
        out += shape.networkVersion.toLatin1() + e;
    out += record('0', be(0, 2), "TOLVEX-SIM") + e;
    quint32 address = 0x010000;
    for (int r = 0; r < records; ++r) {
        QByteArray data(16, Qt::Uninitialized);
        for (int i = 0; i < 16; ++i)
            data[i] = char((r * 31 + i * 7 + (r >> 8)) & 0xFF);
        out += record('2', be(address, 3), data) + e;
        address += 16;
    }
    out += record('9', be(0, 2), {}) + e;
    return out;
}

int WriteFirmwareCorpus(const QString& dir)
{
    QDir root(dir);
    if (!root.mkpath("DldFileFuzz"))
        return -1;
    QList<QByteArray> seeds;
    seeds << MakeDldFile({}) << MakeDldFile({4, "V01.05", "V01.18", {}, "\n"})
          << MakeDldFile({3, {}, {}, "V6.10", "\r\n"}) << MakeDldFile({0, "V1", "V2", {}, "\r\n"})
          << MakeDldFile({2, "V01.05", "V01.18", {}, "\r\n"}) + "\x1A";
    // A wrong checksum (the unit's to judge), a cut record, the serial record.
    QByteArray bad = MakeDldFile({2, "V01.05", "V01.18", {}, "\r\n"});
    bad[bad.indexOf("S2") + 12] = bad[bad.indexOf("S2") + 12] == '0' ? '1' : '0';
    seeds << bad;
    seeds << "3\r\nV01.05\r\nV01.18\r\nS10500\r\n"
          << "65535\nA\nB\n\n\n"
          << "ten\r\n";
    seeds << "1\r\nV01.05\r\nV01.18\r\n" + BuildSerialRecord(1, 2, 3) + "\r\n";
    // Module programs: a count line, then records; blank lines, an end
    // mark, a line past the longest record, NUL bytes after the count.
    const QByteArray program = "3\r\nS1130000285F245F2212226A000424290008237C2A\r\n"
                               "S11300100002000800082629001853812341001813\r\nS10500200102D7\r\n";
    QList<QByteArray> programs;
    programs << program << program + "\r\n\r\n\x1A" << QByteArray(program).replace("\r\n", "\n")
             << "2\r\n" + QByteArray(3000, 'S') + "\r\n" << "2\r\n" + QByteArray(4096, '\0')
             << "x\r\nS10500200102D7\r\n" << "0\r\n" << program + "\x1A\r\nS10500200102D7\r\n";
    if (!root.mkpath("RackProgramFuzz"))
        return -1;
    int n = 0;
    auto write = [&](const QString& target, const QList<QByteArray>& list) {
        for (qsizetype i = 0; i < list.size(); ++i) {
            QFile f(root.filePath(QString("%1/seed-%2").arg(target).arg(i, 2, 10, QChar('0'))));
            if (!f.open(QIODevice::WriteOnly) || f.write(list[i]) != list[i].size())
                return false;
            ++n;
        }
        return true;
    };
    if (!write("DldFileFuzz", seeds) || !write("RackProgramFuzz", programs))
        return -1;
    return n;
}
