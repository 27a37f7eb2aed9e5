#include "protocol/hd/HdBlockLayout.h"
#include "protocol/hd/HdDecoder.h"
#include "protocol/hd/HdImages.h"

// The data services of a block: the XHDR values of the eight programs and the
// one message a block carries, a service-information ("S") message or a chunk
// of an artist-experience object ("L").

namespace {

using R = THdBlockReader;

constexpr qint32 ObjectMinTotal = HdObjectHeader::Length + 1;
constexpr qint32 ObjectMaxTotal = (1 << 20) + HdObjectHeader::Length;

QString hex4(quint32 v)
{
    return QString("%1").arg(v & 0xFFFF, 4, 16, QChar('0')).toUpper();
}

void objectEvent(const THdDecodeSink& sink, const QString& text, int kind)
{
    if (sink.objectEvent)
        sink.objectEvent(text, kind);
}

void error(const THdDecodeSink& sink, const QString& text)
{
    if (sink.error)
        sink.error(text);
}

void decodeXhdr(const R& r, THdData& d, const THdDecodeSink& sink)
{
    THD_XHDR_Data& x = d.XhdrData;
    for (int i = 0; i < HdProgramCount; ++i) {
        const int at = HdOffset::Xhdr + 8 * i;
        const qint32 hash = qint32(r.le32(at));
        const qint32 param = r.u8(at + 4);
        const qint32 lot = r.le16(at + 6);
        // Each setter overwrites the changed flag, so after the three it tells
        // whether the LOT id changed: a new object, the one thing the event
        // line records (a new hash or parameter alone would repeat it).
        x.SetMimeHash(i, hash);
        x.SetParamId(i, param);
        x.SetLotId(i, lot);
        const bool changed = x.IsXhdrChanged(i);
        const QString program = "HD" + QString::number(i + 1);
        if (changed && param == 0)
            objectEvent(sink, program + ",,,$" + hex4(quint32(lot)) + ",,,,", 2);
        else if (changed && param == 1)
            objectEvent(sink, program + ",,,," + ",,,,", 3);

        if (quint32(hash) != HdMimeStationLogoTrigger)
            continue;
        THD_AE_Object& logo = d.AEData.GetStationLogo(i);
        THD_AE_Object& radio = d.AEData.GetRadioImage(i);
        if (param == 1) {
            if (!logo.Valid) {
                radio.ResetAEObject();
            } else if (logo.LotId != radio.LotId || !radio.Valid) {
                // The same logo again leaves the image alone, so it does not
                // flicker from block to block.
                radio.CopyAEObject(logo);
                radio.Changed = true;
            }
        } else if (param == 2 && logo.LotId != radio.LotId) {
            radio.CopyAEObject(logo);
            radio.Changed = true;
        }
    }
}

void decodeSig(const R& r, THdData& d)
{
    THD_SIG_Data& sig = d.SigData;
    bool changed = false;
    for (int i = 0; i < HdSigTableLength; ++i) {
        const qint32 v = r.u8(HdOffset::MessagePayload + i);
        changed |= sig.GetSigValue(i) != v;
        sig.SetSigValue(i, v);
    }
    quint32 sum = 0;
    for (int i = 0; i < HdSigMessageLength; ++i) {
        const qint32 v = r.u8(HdOffset::MessagePayload + HdSigTableLength + i);
        changed |= sig.GetSigByte(i) != v;
        sig.SetSigByte(i, v);
        sum += quint32(v);
    }
    d.SigSum = sum;
    if (changed)
        sig.Changed = true;
}

struct TFiling
{
    int program = -1; // 0..7
    int slot = -1;    // 0 logo, 1 primary, 2 pending
};

// The status table names, for each of four program groups, the port and LOT
// id of its logo, primary and pending objects.
TFiling findFiling(const THD_SIG_Data& sig, qint32 port, qint32 lotId)
{
    for (int g = 0; g < 4; ++g) {
        const int base = 68 + 24 * g;
        const int program = sig.GetSigValue(base + 2) * 256 + sig.GetSigValue(base + 3);
        for (int slot = 0; slot < 3; ++slot) {
            const int row = base + 6 + 6 * slot;
            const qint32 p = sig.GetSigValue(row) * 256 + sig.GetSigValue(row + 1);
            const qint32 id = sig.GetSigValue(row + 2) * 256 + sig.GetSigValue(row + 3);
            if (p == port && id == lotId) {
                if (program < 0 || program >= HdProgramCount)
                    return {};
                return {program, slot};
            }
        }
    }
    return {};
}

QString objectText(const THD_AE_Object& o, quint16 checksum, const TFiling& f)
{
    static const char* const words[3] = {"Logo   ", "Primary", "Pending"};
    QString name = o.FileName;
    name.replace(',', ' ');
    const bool filed = f.program >= 0;
    return "HD" + (filed ? QString::number(f.program + 1) : QString()) + "," +
           (filed ? QString(words[f.slot]) : QString()) + "," + "$" + hex4(quint32(o.Port)) + "," +
           "$" + hex4(quint32(o.LotId)) + "," + QString::number(o.Size) + "," + "$" +
           hex4(checksum) + "," + name + ",";
}

void refuse(THdData& d, const THdDecodeSink& sink, const QString& why)
{
    d.AEStream.Refused = true;
    d.AEStream.Started = false;
    error(sink, " HD object refused: " + why + " ");
}

void finishObject(THdData& d, const THdDecodeSink& sink)
{
    THdObjectStream& st = d.AEStream;
    THD_AE_Object& o = d.AEObject;
    const R h(st.Header);
    o.Port = h.le16(HdObjectHeader::Port);
    o.LotId = h.le16(HdObjectHeader::LotId);
    o.DiscardTime = qint32(h.le32(HdObjectHeader::DiscardTime));
    o.Size = qint32(st.Data.size());
    o.MimeHash = qint32(h.le32(HdObjectHeader::MimeHash));
    o.FileName = h.text(HdObjectHeader::FileName, HdObjectHeader::FileNameWidth);
    quint16 sum = 0;
    for (char c : st.Data)
        sum = quint16(sum + quint8(c));
    o.Valid = sum == h.le16(HdObjectHeader::Checksum);
    st.Started = false;

    if (!o.Valid) {
        objectEvent(sink, objectText(o, sum, {}), 0);
        return;
    }
    const TFiling f = findFiling(d.SigData, o.Port, o.LotId);
    const QString who = "HD" + (f.program >= 0 ? QString::number(f.program + 1) : QString()) +
                        " LOT $" + hex4(quint32(o.LotId));
    const quint32 mime = quint32(o.MimeHash);
    if (mime == HdMimeJpeg || mime == HdMimePng) {
        const bool jpeg = mime == HdMimeJpeg;
        const THdImageResult img = jpeg ? DecodeHdJpeg(st.Data) : DecodeHdPng(st.Data);
        if (img.ok) {
            o.Picture = img.picture;
            o.PictureArrival = ++d.AEData.LastPictureArrival;
        } else {
            const QString file = jpeg ? "error.jpeg" : "error.png";
            if (sink.writeFile)
                sink.writeFile(file, st.Data);
            error(
                sink,
                QString(" HD picture not decoded: %1: %2; saved as %3 ").arg(who, img.error, file));
        }
    }
    // Any other kind of object is kept without a picture; the event list says
    // it arrived.
    o.Changed = true;
    if (f.program >= 0) {
        THD_AE_Object* targets[3] = {&d.AEData.GetStationLogo(f.program),
                                     &d.AEData.GetPrimaryImage(f.program),
                                     &d.AEData.GetPendingImage(f.program)};
        targets[f.slot]->CopyAEObject(o);
        targets[f.slot]->Changed = true;
    }
    d.AEData.CapPictureBytes(o, HdPictureBytesCap);
    objectEvent(sink, objectText(o, sum, f), 1);
}

void decodeObjectChunk(const R& r, THdData& d, const THdDecodeSink& sink)
{
    THdObjectStream& st = d.AEStream;
    const qint32 key = r.u8(HdOffset::MessageSubKind);
    const qint64 total = qint32(r.be32(HdOffset::MessageTotal));
    const qint64 position = qint32(r.be32(HdOffset::MessagePosition));

    if (position == 0) {
        d.AEObject.ResetAEObject();
        st.reset();
        if (total < ObjectMinTotal || total > ObjectMaxTotal) {
            // The chunk at 0 begins with the header: name the object by it.
            const qint32 port = r.le16(HdOffset::MessagePayload + HdObjectHeader::Port);
            const qint32 lot = r.le16(HdOffset::MessagePayload + HdObjectHeader::LotId);
            const TFiling f = findFiling(d.SigData, port, lot);
            refuse(d, sink,
                   QString("HD%1 LOT $%2: total of %3 bytes outside %4 .. %5")
                       .arg(f.program >= 0 ? QString::number(f.program + 1) : QString())
                       .arg(hex4(quint32(lot)))
                       .arg(total)
                       .arg(ObjectMinTotal)
                       .arg(ObjectMaxTotal));
            return;
        }
        st.Started = true;
        st.Total = qint32(total);
        st.Header = QByteArray(HdObjectHeader::Length, '\0');
    } else if (!st.Started || total != st.Total) {
        return; // no object begun, or a chunk of another one
    } else if (key == st.LastKey && position == st.LastPosition) {
        return; // the same chunk again
    }
    if (position < 0 || position > st.Total)
        return;
    st.LastKey = key;
    st.LastPosition = position;

    for (int j = 0; j < HdPayloadLength; ++j) {
        const qint64 p = position + j;
        if (p >= st.Total)
            break;
        const char byte = char(r.u8(HdOffset::MessagePayload + j));
        if (p < HdObjectHeader::Length) {
            st.Header[qsizetype(p)] = byte;
            if (p == HdObjectHeader::Length - 1) {
                // The header is whole: size the data area, within the object.
                const qint64 size = R(st.Header).le32(HdObjectHeader::Size);
                const qint64 room = st.Total - HdObjectHeader::Length;
                if (size > room) {
                    const qint32 lot = R(st.Header).le16(HdObjectHeader::LotId);
                    refuse(d, sink,
                           QString("LOT $%1: size of %2 bytes in an object of %3")
                               .arg(hex4(quint32(lot)))
                               .arg(size)
                               .arg(st.Total));
                    return;
                }
                st.Data = QByteArray(qsizetype(size), '\0');
            }
        } else if (p - HdObjectHeader::Length < st.Data.size()) {
            st.Data[qsizetype(p - HdObjectHeader::Length)] = byte;
        }
    }
    if (position + HdPayloadLength >= st.Total)
        finishObject(d, sink);
}

} // namespace

void DecodeHdDataServices(const QByteArray& block, THdData& d, const THdDecodeSink& sink)
{
    const R r(block);
    decodeXhdr(r, d, sink);
    switch (r.u8(HdOffset::MessageKind)) {
    case 'S':
        decodeSig(r, d);
        break;
    case 'L':
        decodeObjectChunk(r, d, sink);
        break;
    default:
        break;
    }
}
