#include "sim/hd/HdCorpus.h"

#include "protocol/hd/HdBlockLayout.h"
#include "sim/hd/HdBlock.h"
#include "sim/hd/HdObjects.h"
#include "sim/hd/HdSim.h"

#include <QDir>
#include <QFile>

namespace {

bool writeSeed(const QString& folder, int n, const QByteArray& bytes)
{
    QFile f(folder + QString("/seed%1").arg(n, 3, 10, QChar('0')));
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int WriteHdCorpus(const QString& dir)
{
    const QString blocks = dir + "/HdBlockFuzz";
    const QString echoes = dir + "/HdEchoLineFuzz";
    const QString history = dir + "/HdHistoryRowsFuzz";
    const QString diagnostics = dir + "/HdDiagnosticsFuzz";
    const QString guides = dir + "/HdSigFuzz";
    if (!QDir().mkpath(blocks) || !QDir().mkpath(echoes) || !QDir().mkpath(history) ||
        !QDir().mkpath(diagnostics) || !QDir().mkpath(guides))
        return -1;
    int count = 0;
    int n = 0;
    auto seed = [&](const QString& folder, const QByteArray& bytes) {
        if (!writeSeed(folder, n++, bytes))
            return false;
        ++count;
        return true;
    };

    HdSim sim;
    sim.unknownTypes = true;
    // A block of every type in the rotation, history and diagnostic chunks.
    for (int i = 0; i < 8; ++i)
        if (!seed(blocks, sim.nextBlock()))
            return -1;
    // A history and a diagnostic chunk.
    for (int type : {11, 12}) {
        THdBlockFields f = sim.fields;
        f.blockType = type;
        QByteArray b = BuildHdBlock(f);
        WriteHdChunk(b, 5, 3, type == 11 ? 8640 : 2384, 340, QByteArray(340, 'h'));
        setHdChecksum(b);
        if (!seed(blocks, b))
            return -1;
    }
    // Every chunk of both images, contiguous and header-first, in one input.
    const QByteArray jpeg = SimObject(SimPrimaryPort, SimPrimaryLot, HdMimeJpeg, "primary.jpg",
                                      EncodeSimJpeg(SimJpegWidth, SimJpegHeight));
    const QByteArray png = SimObject(SimLogoPort, SimLogoLot, HdMimePng, "logo.png",
                                     EncodeSimPng(SimPngSide, SimPngSide));
    for (const QByteArray& object : {jpeg, png}) {
        for (bool headerFirst : {false, true}) {
            QByteArray input;
            THdBlockFields s = sim.fields;
            s.messageKind = 'S';
            s.payload = SimStatusTable() + SimSigMessage(1);
            input += BuildHdBlock(s);
            for (const TSimChunk& c : SimObjectChunks(object, headerFirst)) {
                s.messageKind = 'L';
                s.messageTotal = qint32(object.size());
                s.messagePosition = c.position;
                s.payload = c.payload;
                input += BuildHdBlock(s);
            }
            if (!seed(blocks, input))
                return -1;
        }
    }
    // An S-protocol network frame with an echoed line.
    sim.prompt = HdSim::Prompt::SProtocol;
    if (!seed(blocks, sim.frame(BuildHdBlock(sim.fields), "CC006EFE0C5F")))
        return -1;

    for (const char* line : {"CC006EFE0C5F", "CC000F03E93D", "CC00AA3C0240", "PB020541",
                             "PS0400ops@example.org5B", "CC00C7I00026B", "CC0013FE"})
        if (!seed(echoes, line))
            return -1;

    // Downloads of every row layout, one cut short, and a Type without one:
    // the Type, the Len (two bytes, most significant first), then the data.
    const struct
    {
        quint8 type;
        int stride;
        int rows;
    } downloads[] = {{2, 2, 1440}, {3, 6, 1440}, {4, 4, 1440}, {5, 8, 1440},
                     {6, 4, 1440}, {7, 8, 1440}, {3, 6, 700},  {9, 6, 1440}};
    for (const auto& d : downloads) {
        const int len = d.stride * d.rows;
        QByteArray input;
        input += char(d.type);
        input += char(len >> 8);
        input += char(len & 0xFF);
        for (int i = 0; i < len; ++i)
            input += char((i / d.stride * 7 + i % d.stride * 31) & 0xFF);
        if (!seed(history, input))
            return -1;
    }
    // Diagnostic records: Id, Type, Len and Index as four little-endian
    // int32s, then the text; a Len past the area and a negative one.
    auto record = [](qint32 len, const QByteArray& text) {
        QByteArray r;
        for (qint32 v : {0, 12, len, 0})
            for (int k = 0; k < 4; ++k)
                r += char(quint32(v) >> (8 * k));
        return r + text;
    };
    const QByteArray text = "Boot\r\nTuner ok\n***\nLine " + QByteArray(120, 'x') + "\n";
    for (qint32 len : {qint32(text.size()), 0, 100000, -5})
        if (!seed(diagnostics, record(len, text)))
            return -1;
    // The SIG message bytes as the holder keeps them, and one cut short.
    for (int variant : {0, 1})
        if (!seed(guides, SimSigMessage(variant)))
            return -1;
    if (!seed(guides, SimSigMessage(0).left(60)))
        return -1;
    return count;
}
