// The picture caps: what a unit can make the program decode inside its timer
// tick, and keep, whatever bytes come off the air.
#include "protocol/hd/HdBlockLayout.h"
#include "protocol/hd/HdDecoder.h"
#include "protocol/hd/HdImages.h"
#include "sim/hd/HdBlock.h"
#include "sim/hd/HdObjects.h"
#include "sim/hd/HdPictures.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

void setBe16(QByteArray& b, qsizetype at, int v)
{
    b[at] = char(v >> 8);
    b[at + 1] = char(v);
}

// A JPEG whose frame header claims another size: what a tiny file can ask for.
QByteArray withJpegSize(QByteArray jpeg, int width, int height)
{
    for (const char* sof : {"\xFF\xC0", "\xFF\xC2"}) {
        const qsizetype at = jpeg.indexOf(QByteArray(sof, 2));
        if (at > 0) {
            setBe16(jpeg, at + 5, height);
            setBe16(jpeg, at + 7, width);
        }
    }
    return jpeg;
}

struct TPictureCase
{
    const char* name;
    bool jpeg;
    QByteArray bytes;
    int side; // the decoded width and height; 0 when refused
    const char* reason;
};

} // namespace

TEST(HdPictureCaps, PicturesAtThePixelAndScanCapsDecodeAndPastThemAreRefused)
{
    const QByteArray progressive =
        EncodeSimJpeg({.width = 640, .height = 640, .scans = 10, .noise = true});
    const QByteArray png640 = EncodeSimPng(640, 640, false, true);
    const TPictureCase cases[] = {
        {"baseline 640", true, EncodeSimJpeg({.width = 640, .height = 640, .noise = true}), 640,
         ""},
        {"baseline 641 wide", true, EncodeSimJpeg({.width = 641, .height = 64}), 0,
         "picture of 641 x 64 refused"},
        {"baseline 641 high", true, EncodeSimJpeg({.width = 64, .height = 641}), 0,
         "picture of 64 x 641 refused"},
        {"progressive 640, 10 scans", true, progressive, 640, ""},
        {"progressive 640, 64 scans", true,
         EncodeSimJpeg({.width = 640, .height = 640, .scans = 64, .noise = true}), 640, ""},
        {"progressive, 65 scans", true, EncodeSimJpeg({.width = 16, .height = 16, .scans = 65}),
         0, "more than 64 scans"},
        {"grey progressive, 64 scans", true,
         EncodeSimJpeg({.width = 64, .height = 64, .scans = 64, .components = 1}), 64, ""},
        // The small progressive file that claimed 4096 a side and took seconds.
        {"progressive claiming 4096", true,
         withJpegSize(EncodeSimJpeg({.width = 64, .height = 64, .scans = 10}), 4096, 4096), 0,
         "picture of 4096 x 4096 refused"},
        {"baseline truncated", true,
         EncodeSimJpeg({.width = 320, .height = 240, .noise = true}).left(4000), 0,
         "Premature end of JPEG file"},
        {"progressive truncated", true, progressive.left(progressive.size() / 2), 0,
         "Premature end of JPEG file"},
        {"png 640", false, png640, 640, ""},
        {"png 640 interlaced", false, EncodeSimPng(640, 640, true, false), 640, ""},
        {"png 641", false, EncodeSimPng(641, 8, false, false), 0, "picture of 641 x 8 refused"},
        {"png 641 interlaced", false, EncodeSimPng(8, 641, true, false), 0,
         "picture of 8 x 641 refused"},
        {"png truncated", false, png640.left(png640.size() / 2), 0, "read beyond end of data"},
        // 64 MB of zeros behind a header of 30000 a side: refused unread.
        {"png bomb", false, SimPngBomb(30000, 30000, 64 << 20), 0,
         "picture of 30000 x 30000 refused"},
        // A header within the cap over 256 MB of zeros: refused once the data
        // passes what the rows take (1 + 640 x 4 bytes a row).
        {"png bomb at the cap", false, SimPngBomb(640, 640, 256 << 20), 0,
         "compressed data unpacks past the 1639040 bytes of its rows"},
        // A compressed text chunk of 256 MB of zeros is never unpacked.
        {"png text bomb", false, SimPngTextBomb(256 << 20), 1, ""},
    };
    for (const TPictureCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.bytes.isEmpty());
        const THdImageResult r = c.jpeg ? DecodeHdJpeg(c.bytes) : DecodeHdPng(c.bytes);
        EXPECT_EQ(r.ok, c.side > 0) << r.error.toStdString();
        EXPECT_EQ(r.picture.Width, c.side);
        EXPECT_EQ(r.picture.Height, c.side);
        EXPECT_EQ(r.picture.Rgba.size(), qsizetype(c.side) * c.side * 4);
        if (c.side == 0) {
            EXPECT_TRUE(r.error.contains(QString::fromLatin1(c.reason))) << r.error.toStdString();
        }
    }
}

namespace {

// Four program groups of three objects each (logo, primary, pending), with
// port 0x2000 + n and LOT id 0x0100 + n for object n = 3 * group + slot.
QByteArray statusTableOfTwelve()
{
    QByteArray t(HdSigTableLength, '\0');
    t[0] = 1;
    t[1] = 12;
    for (int g = 0; g < 4; ++g) {
        const int base = 68 + 24 * g;
        t[base + 3] = char(g);
        for (int slot = 0; slot < 3; ++slot) {
            const int n = 3 * g + slot;
            const int row = base + 6 + 6 * slot;
            setBe16(t, row, 0x2000 + n);
            setBe16(t, row + 2, 0x0100 + n);
            t[row + 4] = 1;
        }
    }
    return t;
}

struct TReceiver
{
    std::unique_ptr<THdData> d = std::make_unique<THdData>();
    std::unique_ptr<TConnectionState> s = std::make_unique<TConnectionState>();
    QStringList events, errors, files;

    void decode(const THdBlockFields& f)
    {
        THdDecodeSink k;
        k.objectEvent = [this](const QString& t, int kind) {
            events << QString::number(kind) + ":" + t;
        };
        k.error = [this](const QString& t) { errors << t; };
        k.writeFile = [this](const QString& name, const QByteArray&) {
            files << name;
            return true;
        };
        ASSERT_EQ(DecodeHdBlock(BuildHdBlock(f), *d, *s, k), THdBlockVerdict::Decoded);
    }
    void send(int n, quint32 mime, const QByteArray& file)
    {
        const QByteArray object =
            SimObject(quint16(0x2000 + n), quint16(0x0100 + n), mime, "p.img", file);
        for (const TSimChunk& c : SimObjectChunks(object, false)) {
            THdBlockFields f;
            f.messageKind = 'L';
            f.messageTotal = qint32(object.size());
            f.messagePosition = c.position;
            f.payload = c.payload;
            decode(f);
        }
    }
    THD_AE_Object& object(int n)
    {
        THD_AE_Object* place[3] = {&d->AEData.StationLogo[size_t(n / 3)],
                                   &d->AEData.PrimaryImage[size_t(n / 3)],
                                   &d->AEData.PendingImage[size_t(n / 3)]};
        return *place[n % 3];
    }
};

} // namespace

TEST(HdPictureCaps, ARefusedPictureIsNamedByItsLotAndSaved)
{
    TReceiver x;
    THdBlockFields f;
    f.messageKind = 'S';
    f.payload = statusTableOfTwelve() + SimSigMessage(0);
    x.decode(f);
    x.send(1, HdMimeJpeg, EncodeSimJpeg({.width = 641, .height = 480}));
    ASSERT_EQ(x.errors.size(), 1);
    EXPECT_EQ(x.errors[0],
              " HD picture not decoded: HD1 LOT $0101: picture of 641 x 480 refused; saved as "
              "error.jpeg ");
    EXPECT_EQ(x.files, QStringList{"error.jpeg"});
    EXPECT_TRUE(x.object(1).Valid);
    EXPECT_TRUE(x.object(1).Picture.isEmpty());
    ASSERT_EQ(x.events.size(), 1);
    EXPECT_TRUE(x.events[0].startsWith("1:HD1,Primary,$2001,$0101,")) << x.events[0].toStdString();
}

TEST(HdPictureCaps, ThePicturesKeptAreCappedAndTheFirstArrivedGoesFirst)
{
    TReceiver x;
    THdBlockFields f;
    f.messageKind = 'S';
    f.payload = statusTableOfTwelve() + SimSigMessage(0);
    x.decode(f);
    const qint64 each = 640 * 640 * 4;
    const int fit = int(HdPictureBytesCap / each);
    ASSERT_LT(fit + 2, 12);
    // Pictures at the size cap, each into a slot of its own, one more than fit
    // and then another.
    for (int n = 0; n < fit + 2; ++n) {
        x.send(n, n % 2 ? HdMimeJpeg : HdMimePng,
               n % 2 ? EncodeSimJpeg({.width = 640, .height = 640}) : EncodeSimPng(640, 640, false, false));
        ASSERT_TRUE(x.errors.isEmpty()) << x.errors.join('\n').toStdString();
        // The radio image takes the logo of HD1, sharing its bytes.
        if (n == 0)
            x.d->AEData.RadioImage[0].CopyAEObject(x.object(0));
    }
    qint64 kept = 0;
    for (int n = 0; n < fit + 2; ++n) {
        SCOPED_TRACE(n);
        const THD_AE_Object& o = x.object(n);
        EXPECT_TRUE(o.Valid);
        EXPECT_EQ(o.LotId, 0x0100 + n);
        EXPECT_EQ(o.Picture.isEmpty(), n < 2);
        EXPECT_TRUE(o.Changed);
        kept += o.Picture.Rgba.size();
    }
    EXPECT_TRUE(x.d->AEData.RadioImage[0].Picture.isEmpty());
    EXPECT_TRUE(x.d->AEData.RadioImage[0].Valid);
    EXPECT_EQ(kept, qint64(fit) * each);
    EXPECT_LE(kept, HdPictureBytesCap);
    // Every object keeps its line in the LOT event list.
    ASSERT_EQ(x.events.size(), fit + 2);
    EXPECT_TRUE(x.events[0].startsWith("1:HD1,Logo   ,$2000,$0100,")) << x.events[0].toStdString();
}
