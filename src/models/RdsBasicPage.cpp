#include "models/RdsBasicPage.h"

#include "common/FieldHelpers.h"
#include "protocol/rds/RdsDecoder.h"

using namespace Rds;

namespace {

TRdsField known(const QString& text)
{
    return {text, true};
}

TRdsField unknown(const QString& text)
{
    return {text, false};
}

QString chars(const std::array<quint8, 8>& a)
{
    return DeviceChars(a.data(), int(a.size()));
}

} // namespace

TRdsBasicPage RdsBasicPage(const TRdsDecoder& d)
{
    TRdsBasicPage p;
    auto seen = [&](std::initializer_list<int> types) {
        for (int t : types)
            if (d.seen(t))
                return true;
        return false;
    };
    const bool piKnown = d.pi() != 0;

    if (piKnown) {
        p.piCall = known(d.mode() == 1 ? QStringLiteral("****") : CallLetters(d.pi()));
        p.piHex = known(PiHexText(d.pi()));
        p.ptyNumber = known(ZeroPadInt(d.pty(), 2));
        p.ptyName = known(PtyName(d.pty(), d.mode()));
        p.tp = known(OnOffText(d.tp()));
        p.groupTypes =
            known(GroupTypesText(d.seenTypes()).leftJustified(TRdsBasicPage::GroupTypesWidth));
    } else {
        p.piCall = unknown("****");
        p.piHex = unknown("****");
        p.ptyNumber = unknown("**");
        p.ptyName = unknown("        ");
        p.tp = unknown("**    ");
        p.groupTypes = unknown(QString(TRdsBasicPage::GroupTypesWidth, ' '));
    }

    p.ecc = d.seen(gt1A) ? known(EccText(d.ecc())) : unknown("  ");
    const bool basics = seen({gt0A, gt0B, gt15A, gt15B});
    p.ta = basics ? known(OnOffText(d.ta())) : unknown("**    ");
    p.ms = seen({gt0A, gt0B, gt15B}) ? known(MusicSpeechText(d.music())) : unknown("**       ");

    if (seen({gt0A, gt0B}))
        p.ps = known(chars(d.ps()));
    else if (d.seen(gt15B))
        p.ps = known(chars(d.ps15()));
    else
        p.ps = unknown("*       ");

    p.ptyn = d.seen(gt10A) ? known(chars(d.ptyn())) : unknown("        ");

    const TRdsClock& k = d.clock();
    if (d.seen(gt4A) && ClockValid(k)) {
        p.time = known(ClockTimeText(k));
        p.date = known(ClockDateText(k));
    } else {
        p.time = unknown("  :     ");
        p.date = unknown("  /  /  ");
    }

    p.pin = seen({gt1A, gt1B}) ? known(PinText(d.pinDay(), d.pinHour(), d.pinMinute()))
                               : unknown("     :     ");

    if (d.seen(gt3A)) {
        p.city = known(chars(d.city()));
        p.stateNumber = known(ZeroPadInt(d.stateCode(), 2));
        p.stateName = known(StateName(d.stateCode()));
    } else {
        p.city = unknown("        ");
        p.stateNumber = unknown("**");
        p.stateName = unknown("**");
    }

    if (seen({gt0A, gt0B, gt15B})) {
        p.diNumber = known(ZeroPadInt(d.di(), 2));
        p.diText = known(DiText(d.di()));
    } else {
        p.diNumber = unknown("**");
        p.diText = unknown("          ");
    }

    const int rtFirst = d.seen(gt2A) ? 0 : d.seen(gt2B) ? 2 : -1;
    if (rtFirst >= 0) {
        const auto& a = d.radioText(rtFirst);
        const auto& b = d.radioText(rtFirst + 1);
        p.rtA = known(DeviceChars(a.data(), int(a.size())));
        p.rtB = known(DeviceChars(b.data(), int(b.size())));
    } else {
        p.rtA = unknown(QString(TRdsDecoder::RadioTextLength, ' '));
        p.rtB = p.rtA;
    }

    const TRdsAltFreq& af = d.altFreq();
    p.afMethodA = {QStringLiteral(" Method A "), af.method() == 'A'};
    p.afMethodB = {QStringLiteral(" Method B "), af.method() == 'B'};
    p.afCount = {af.countText(), af.method() != 'C'};
    const std::array<QString, 2> lines = af.lines();
    p.afLine1 = {lines[0], af.method() != 'C'};
    p.afLine2 = {lines[1], af.method() != 'C'};
    return p;
}
