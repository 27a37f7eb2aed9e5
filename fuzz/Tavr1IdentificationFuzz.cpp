// The unit's identification reply, then the firmware check the login runs on
// it against a DLD folder holding a file for each set of revision letters
// (one of them with a count line that is no number).
#include "FuzzCheck.h"

#include "protocol/tavr1/Tavr1Identification.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

const QString& dldFolder()
{
    static QTemporaryDir dir;
    static const bool written = [] {
        const struct
        {
            const char* name;
            const char* header;
        } files[] = {
            {"TAVR1_B.DLD", "1200\r\nV01.20\r\nV01.19\r\n"},
            {"tavr1_1.dld", "900\r\nV01.10\r\nV01.17\r\n"}, // found whatever its case
            {"TAVR1_BBB.DLD", "65535\r\n02.00\r\n02.01\r\n"},
            {"TAVR1_CBB.DLD", "many\r\n02.00\r\n02.01\r\n"},
        };
        for (const auto& f : files) {
            QFile out(dir.filePath(f.name));
            if (!out.open(QIODevice::WriteOnly) || out.write(f.header) < 0)
                return false;
        }
        return true;
    }();
    FUZZ_CHECK(written);
    static const QString path = dir.path();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray reply(reinterpret_cast<const char*>(data), qsizetype(size));
    const TTavr1Identification id = ParseTavr1Identification(reply);
    FUZZ_CHECK(id.Line.size() == reply.size());
    FUZZ_CHECK(id.ModelText == "Tavr-1" || id.ModelText == "Tavr-1 Lite");
    FUZZ_CHECK(id.SerialText.size() <= 6);
    FUZZ_CHECK(id.SoftwareVersion.size() <= 5 && id.BootVersion.size() <= 5);
    FUZZ_CHECK(id.Options == "Basic" || id.Options == "Complete");
    FUZZ_CHECK(id.OptionLetter.size() == 1 && id.RevisionLetter2.size() == 1 &&
               id.RevisionLetter3.size() == 1);
    FUZZ_CHECK(id.LanVersion.size() <= 7 && id.SomVersion.size() <= 4);
    FUZZ_CHECK(id.LanVersion.isEmpty() || id.OptionLetter == "B");
    FUZZ_CHECK(id.SomVersion.isEmpty() || id.OptionLetter == "C");

    const TTavr1FirmwareCheck c = CheckTavr1Firmware(Tavr1FirmwareUnitOf(id), dldFolder());
    FUZZ_CHECK(c.Result >= 0 && c.Result <= 10);
    FUZZ_CHECK(!c.UpToDate || c.Result == 0);
    if (c.Result == 0)
        FUZZ_CHECK(c.LineCount >= 1 && c.LineCount <= 65535);
    if (id.OptionLetter + id.RevisionLetter2 + id.RevisionLetter3 == "CBB")
        FUZZ_CHECK(c.Result != 0);
    return 0;
}
