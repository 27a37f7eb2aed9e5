#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>

// The HD Radio data services a unit reports besides its measurements: the LOT
// event list, the XHDR values and commercial frames of each program, the
// service information tables and the artist-experience images. The frame holds
// one set for its whole life; the block decoder fills it and the data-service
// windows read it. Every index from outside is checked: a set outside the range
// is ignored, a get returns a neutral value.

constexpr int HdProgramCount = 8;
constexpr int HdSigValueCount = 260;
constexpr int HdSigByteCount = 2049;
constexpr int HdEventListLimit = 1000; // the event-log window shows 500
// The bytes of the pictures one connection keeps: a few dozen real logos and
// images fit many times over; pictures at the size cap no more than seven.
constexpr qint64 HdPictureBytesCap = 12 << 20;

// A decoded picture: RGBA bytes, four a pixel, row after row. Plain data, so a
// copy is a copy by value; the window that shows it makes its own image.
struct THdPicture
{
    int Width = 0;
    int Height = 0;
    QByteArray Rgba;

    bool isEmpty() const { return Width == 0 || Height == 0; }
    void clear() { *this = THdPicture{}; }
    bool operator==(const THdPicture&) const = default;
};

// A line of the LOT event list: time, the kind's text, then the object text
// (its fields each followed by a comma). Kinds: 0 invalid object, 1 complete
// object, 2 XHDR trigger, 3 XHDR logo. The time holds no comma, whatever the
// locale: the event-log window splits lines at commas.
QString FormatHdObjectEvent(const QDateTime& when, const QString& objectText, int kind);

class THD_AE_EventList
{
public:
    bool Changed = false;
    QStringList Events; // newest first

    void ClearEvents();
    // Inserts a line at the top; the oldest lines beyond the limit go.
    void AddEvent(const QString& line);
};

class THD_XHDR_Data
{
public:
    void ResetXhdr();
    qint32 GetMimeHash(int i) const;
    qint32 GetParamId(int i) const;
    qint32 GetLotId(int i) const;
    // Each setter records whether its value changed, overwriting the flag.
    void SetMimeHash(int i, qint32 v);
    void SetParamId(int i, qint32 v);
    void SetLotId(int i, qint32 v);
    bool IsXhdrChanged(int i) const;

    std::array<qint32, HdProgramCount> MimeHash{}, ParamId{}, LotId{};
    std::array<bool, HdProgramCount> XhdrChanged{};
};

// Commercial frames by program number 1..8.
class THD_COMR_Data
{
public:
    void ResetComr();
    QString GetPrice(int n) const;
    void SetPrice(int n, const QString& v);
    QString GetValidUntil(int n) const;
    void SetValidUntil(int n, const QString& v);
    QString GetContactUrl(int n) const;
    void SetContactUrl(int n, const QString& v);
    qint32 GetReceivedAs(int n) const;
    void SetReceivedAs(int n, qint32 v);
    QString GetSellerName(int n) const;
    void SetSellerName(int n, const QString& v);
    QString GetDescription(int n) const;
    void SetDescription(int n, const QString& v);

    std::array<QString, HdProgramCount> Price, ValidUntil, ContactUrl, SellerName, Description;
    std::array<qint32, HdProgramCount> ReceivedAs{};
};

class THD_SIG_Data
{
public:
    bool Changed = false;
    std::array<qint32, HdSigValueCount> SigValues{};
    std::array<qint32, HdSigByteCount> SigBytes{};

    qint32 GetSigValue(int i) const;
    void SetSigValue(int i, qint32 v);
    qint32 GetSigByte(int i) const;
    void SetSigByte(int i, qint32 v);
    void ResetSig();
};

class THD_AE_Object
{
public:
    THD_AE_Object() { ResetAEObject(); }

    bool Valid = false;
    bool Changed = false;
    qint32 Port = 2;
    qint32 LotId = 3;
    qint32 DiscardTime = 4;
    qint32 Size = 0;
    qint32 MimeHash = 0;
    QString FileName;
    THdPicture Picture;
    qint32 Height = 0;
    qint32 Width = 0;
    // When its picture was decoded (1, 2, ... per connection; 0 none): copies
    // of one picture share the number, and the oldest goes first when the
    // pictures kept pass their cap.
    qint64 PictureArrival = 0;

    void ResetAEObject();
    void CopyAEObject(const THD_AE_Object& other);
};

class THD_AE_Data
{
public:
    THD_AE_Object& GetRadioImage(int i);
    THD_AE_Object& GetStationLogo(int i);
    THD_AE_Object& GetPrimaryImage(int i);
    THD_AE_Object& GetPendingImage(int i);
    void ResetAEData();

    std::array<THD_AE_Object, HdProgramCount> RadioImage, StationLogo, PrimaryImage, PendingImage;
    qint64 LastPictureArrival = 0;

    // Drops pictures, the first-arrived first, until those kept in these
    // objects and in current (the object last received) take at most cap
    // bytes. An object that loses its picture stays valid with its LOT
    // details, and is marked changed so its window clears the picture.
    void CapPictureBytes(THD_AE_Object& current, qint64 cap);

private:
    // Handed out for an index outside 0..7; reset on every such call, so what
    // a caller writes there is never seen again.
    THD_AE_Object m_none;
    THD_AE_Object& pick(std::array<THD_AE_Object, HdProgramCount>& a, int i);
};
