#include "protocol/hd/HdSig.h"

namespace {

class TSigReader
{
public:
    explicit TSigReader(const std::array<qint32, HdSigByteCount>& bytes)
        : m_bytes(bytes)
    {}

    quint8 byte(qint64 i) const
    {
        if (i < 0 || i >= SigReadableBytes)
            return 0;
        return quint8(m_bytes[size_t(i)] & 0xFF);
    }
    quint16 u16(qint64 i) const { return quint16(byte(i) | (byte(i + 1) << 8)); }
    quint32 u32(qint64 i) const { return quint32(u16(i)) | (quint32(u16(i + 2)) << 16); }
    QString text(qint64 i, int length) const
    {
        if (length == 0)
            return QStringLiteral(" ");
        QString s;
        s.reserve(length);
        for (int k = 0; k < length; ++k)
            s += QChar(byte(i + k));
        return s;
    }

private:
    const std::array<qint32, HdSigByteCount>& m_bytes;
};

constexpr int ComponentFixedBytes = 22;

int furtherIdBytes(quint8 idLength)
{
    return idLength > 8 ? idLength - 8 : 0;
}

} // namespace

std::vector<SigService> ParseSig(const std::array<qint32, HdSigByteCount>& bytes)
{
    const TSigReader r(bytes);
    std::vector<SigService> services;
    const int count = qMin<int>(r.byte(1), SigMaxServices);
    // Positions only grow and every read is bounded, so a message running past
    // its end parses zeros; a qint64 position cannot wrap however large the
    // length bytes claim the records are.
    qint64 p = 2;
    for (int n = 0; n < count; ++n) {
        SigService s;
        s.Number = r.u16(p);
        s.Priority = r.byte(p + 2);
        s.Sequence = r.u16(p + 3);
        s.Status = r.byte(p + 5);
        s.ReceiveTime = r.u32(p + 6);
        s.ProviderEncoding = r.byte(p + 10);
        s.ProviderNameLength = r.byte(p + 11);
        const int lp = s.ProviderNameLength;
        s.ProviderName = r.text(p + 12, lp);
        s.ServiceEncoding = r.byte(p + 12 + lp);
        s.ServiceNameLength = r.byte(p + 13 + lp);
        const int ls = s.ServiceNameLength;
        s.ServiceName = r.text(p + 14 + lp, ls);
        const int components = r.byte(p + 14 + lp + ls);
        p += 15 + lp + ls;
        for (int k = 0; k < components; ++k) {
            const quint8 idLength = r.byte(p + 13);
            const int further = furtherIdBytes(idLength);
            if (k < SigMaxComponents) {
                SigComponent c;
                c.Type = r.byte(p);
                c.ProgPort = r.u16(p + 1);
                c.ProgDataType = r.u16(p + 3);
                c.Reserved = r.byte(p + 5);
                c.Processing = r.byte(p + 6);
                c.Priority = r.byte(p + 7);
                c.AccessRights = r.byte(p + 8);
                c.MimeHash = r.u32(p + 9);
                c.IdLength = idLength;
                c.IdProvider = r.u32(p + 14);
                c.ServiceId = r.u32(p + 18);
                for (int b = 0; b < further; ++b)
                    c.FurtherId.append(char(r.byte(p + ComponentFixedBytes + b)));
                s.Components.push_back(std::move(c));
            }
            p += ComponentFixedBytes + further;
        }
        services.push_back(std::move(s));
    }
    return services;
}

QString SigHashName(quint32 hash)
{
    switch (hash) {
    case 1304849498u:
        return QStringLiteral("Audio");
    case 1590400129u:
        return QStringLiteral("Data");
    case 2508461234u:
        return QStringLiteral("Traffic");
    case 3192616246u:
        return QStringLiteral("Primary");
    case 3653707062u:
        return QStringLiteral("Logo");
    case 4152689510u:
        return QStringLiteral("Text");
    default:
        return {};
    }
}

std::array<QString, LotLineFields> SplitLotLine(const QString& line)
{
    std::array<QString, LotLineFields> fields;
    qsizetype from = 0;
    for (QString& field : fields) {
        const qsizetype comma = line.indexOf(u',', from);
        if (comma < 0)
            break;
        field = line.mid(from, comma - from);
        from = comma + 1;
    }
    return fields;
}
