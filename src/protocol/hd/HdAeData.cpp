#include "protocol/hd/HdAeData.h"

#include <map>
#include <vector>

namespace {

bool inPrograms(int i)
{
    return i >= 0 && i < HdProgramCount;
}

// Program numbers 1..8 of the commercial frames to array indices.
bool inNumbers(int n)
{
    return n >= 1 && n <= HdProgramCount;
}

template <class T>
T getAt(const std::array<T, HdProgramCount>& a, int n)
{
    return inNumbers(n) ? a[n - 1] : T{};
}

template <class T>
void setAt(std::array<T, HdProgramCount>& a, int n, const T& v)
{
    if (inNumbers(n))
        a[n - 1] = v;
}

} // namespace

QString FormatHdObjectEvent(const QDateTime& when, const QString& objectText, int kind)
{
    static const char* const texts[4] = {",Received InValid Object,", ",Received Complete Object,",
                                         ",XHDR Display Trigger,", ",XHDR Display Logo,"};
    const QString text = (kind >= 0 && kind < 4) ? QString(texts[kind]) : QString(",");
    return when.toString("MM/dd/yyyy HH:mm:ss") + text + objectText;
}

void THD_AE_EventList::ClearEvents()
{
    Changed = false;
    Events.clear();
}

void THD_AE_EventList::AddEvent(const QString& line)
{
    Events.prepend(line);
    while (Events.size() > HdEventListLimit)
        Events.removeLast();
    Changed = true;
}

void THD_XHDR_Data::ResetXhdr()
{
    MimeHash.fill(0);
    ParamId.fill(0);
    LotId.fill(0);
    XhdrChanged.fill(false);
}

qint32 THD_XHDR_Data::GetMimeHash(int i) const
{
    return inPrograms(i) ? MimeHash[i] : 0;
}
qint32 THD_XHDR_Data::GetParamId(int i) const
{
    return inPrograms(i) ? ParamId[i] : 0;
}
qint32 THD_XHDR_Data::GetLotId(int i) const
{
    return inPrograms(i) ? LotId[i] : 0;
}

void THD_XHDR_Data::SetMimeHash(int i, qint32 v)
{
    if (!inPrograms(i))
        return;
    XhdrChanged[i] = MimeHash[i] != v;
    MimeHash[i] = v;
}
void THD_XHDR_Data::SetParamId(int i, qint32 v)
{
    if (!inPrograms(i))
        return;
    XhdrChanged[i] = ParamId[i] != v;
    ParamId[i] = v;
}
void THD_XHDR_Data::SetLotId(int i, qint32 v)
{
    if (!inPrograms(i))
        return;
    XhdrChanged[i] = LotId[i] != v;
    LotId[i] = v;
}
bool THD_XHDR_Data::IsXhdrChanged(int i) const
{
    return inPrograms(i) && XhdrChanged[i];
}

void THD_COMR_Data::ResetComr()
{
    for (auto* a : {&Price, &ValidUntil, &ContactUrl, &SellerName, &Description})
        a->fill(QString());
    ReceivedAs.fill(0);
}

QString THD_COMR_Data::GetPrice(int n) const
{
    return getAt(Price, n);
}
void THD_COMR_Data::SetPrice(int n, const QString& v)
{
    setAt(Price, n, v);
}
QString THD_COMR_Data::GetValidUntil(int n) const
{
    return getAt(ValidUntil, n);
}
void THD_COMR_Data::SetValidUntil(int n, const QString& v)
{
    setAt(ValidUntil, n, v);
}
QString THD_COMR_Data::GetContactUrl(int n) const
{
    return getAt(ContactUrl, n);
}
void THD_COMR_Data::SetContactUrl(int n, const QString& v)
{
    setAt(ContactUrl, n, v);
}
qint32 THD_COMR_Data::GetReceivedAs(int n) const
{
    return getAt(ReceivedAs, n);
}
void THD_COMR_Data::SetReceivedAs(int n, qint32 v)
{
    setAt(ReceivedAs, n, v);
}
QString THD_COMR_Data::GetSellerName(int n) const
{
    return getAt(SellerName, n);
}
void THD_COMR_Data::SetSellerName(int n, const QString& v)
{
    setAt(SellerName, n, v);
}
QString THD_COMR_Data::GetDescription(int n) const
{
    return getAt(Description, n);
}
void THD_COMR_Data::SetDescription(int n, const QString& v)
{
    setAt(Description, n, v);
}

qint32 THD_SIG_Data::GetSigValue(int i) const
{
    return (i >= 0 && i < HdSigValueCount) ? SigValues[i] : 0;
}
void THD_SIG_Data::SetSigValue(int i, qint32 v)
{
    if (i >= 0 && i < HdSigValueCount)
        SigValues[i] = v;
}
qint32 THD_SIG_Data::GetSigByte(int i) const
{
    return (i >= 0 && i < HdSigByteCount) ? SigBytes[i] : 0;
}
void THD_SIG_Data::SetSigByte(int i, qint32 v)
{
    if (i >= 0 && i < HdSigByteCount)
        SigBytes[i] = v;
}
void THD_SIG_Data::ResetSig()
{
    Changed = false;
    SigValues.fill(0);
    SigBytes.fill(0);
}

void THD_AE_Object::ResetAEObject()
{
    Valid = false;
    Changed = false;
    Port = 2;
    LotId = 3;
    DiscardTime = 4;
    Size = 0;
    MimeHash = 0;
    FileName.clear();
    Picture.clear();
    Height = 0;
    Width = 0;
    PictureArrival = 0;
}

void THD_AE_Object::CopyAEObject(const THD_AE_Object& other)
{
    if (&other == this)
        return;
    Valid = other.Valid;
    Changed = other.Changed;
    Port = other.Port;
    LotId = other.LotId;
    DiscardTime = other.DiscardTime;
    Size = other.Size;
    MimeHash = other.MimeHash;
    FileName = other.FileName;
    Picture = other.Picture;
    Height = other.Height;
    Width = other.Width;
    PictureArrival = other.PictureArrival;
}

THD_AE_Object& THD_AE_Data::pick(std::array<THD_AE_Object, HdProgramCount>& a, int i)
{
    if (inPrograms(i))
        return a[i];
    m_none.ResetAEObject();
    return m_none;
}

THD_AE_Object& THD_AE_Data::GetRadioImage(int i)
{
    return pick(RadioImage, i);
}
THD_AE_Object& THD_AE_Data::GetStationLogo(int i)
{
    return pick(StationLogo, i);
}
THD_AE_Object& THD_AE_Data::GetPrimaryImage(int i)
{
    return pick(PrimaryImage, i);
}
THD_AE_Object& THD_AE_Data::GetPendingImage(int i)
{
    return pick(PendingImage, i);
}

void THD_AE_Data::ResetAEData()
{
    for (auto* a : {&RadioImage, &StationLogo, &PrimaryImage, &PendingImage})
        for (THD_AE_Object& o : *a)
            o.ResetAEObject();
}

void THD_AE_Data::CapPictureBytes(THD_AE_Object& current, qint64 cap)
{
    std::vector<THD_AE_Object*> all{&current};
    for (auto* a : {&RadioImage, &StationLogo, &PrimaryImage, &PendingImage})
        for (THD_AE_Object& o : *a)
            all.push_back(&o);
    for (;;) {
        // Copies of one picture share its bytes: count each arrival once.
        std::map<qint64, qint64> bytes;
        for (const THD_AE_Object* o : all)
            if (!o->Picture.Rgba.isEmpty())
                bytes[o->PictureArrival] = o->Picture.Rgba.size();
        qint64 total = 0;
        for (const auto& [arrival, n] : bytes)
            total += n;
        if (total <= cap || bytes.empty())
            return;
        const qint64 oldest = bytes.begin()->first;
        for (THD_AE_Object* o : all)
            if (!o->Picture.Rgba.isEmpty() && o->PictureArrival == oldest) {
                o->Picture.clear();
                o->Changed = true;
            }
    }
}
