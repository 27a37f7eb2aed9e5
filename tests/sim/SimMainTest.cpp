#include "TestSupport.h"

#include "common/VersionFile.h"
#include "protocol/firmware/DldFile.h"

#include <QProcess>
#include <gtest/gtest.h>

// The README's first steps without an instrument: the commands it prints
// work in a fresh folder, without a step it does not name.

namespace {

int runSim(const QStringList& args, QByteArray* output = nullptr)
{
    QProcess sim;
    sim.start(QStringLiteral(TOLVEX_BINARY_DIR "/tolvex-sim"), args);
    if (!sim.waitForFinished(60000))
        return -1;
    if (output)
        *output = sim.readAllStandardOutput() + sim.readAllStandardError();
    return sim.exitStatus() == QProcess::NormalExit ? sim.exitCode() : -1;
}

} // namespace

TEST(SimMain, DldMakesTheFoldersOfItsPath)
{
    TempBase base;
    struct Case
    {
        QString path;
        QStringList shape;
        TDldHeaderForm form;
        const char* version;
    };
    const Case cases[] = {
        {"DLD/TAVR1_B.DLD", {"--lines", "400", "--versions", "V01.05,V01.21"},
         TDldHeaderForm::MainFirmware, "V01.21"},
        {base.file("deeper/still/DLD/XPORT.DLD"), {"--lines", "100", "--network", "V6.10"},
         TDldHeaderForm::NetworkModule, "V6.10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QByteArray out;
        ASSERT_EQ(runSim(QStringList{"dld", c.path} + c.shape, &out), 0) << out.constData();
        TDldFile file;
        ASSERT_EQ(ReadDldFile(c.path, c.form, &file), TDldError::None);
        EXPECT_EQ(file.Header.MainVersion, c.version);
        EXPECT_EQ(file.DataLineCount(), c.shape[1].toInt() + 2);
    }
}

// The version file the README serves offers the update: a program version
// above ours, and firmware versions in the form the dialog reads.
TEST(SimMain, TheShippedVersionFileOffersAnUpdate)
{
    QFile file(QStringLiteral(TOLVEX_SOURCE_DIR "/sim/Tolvex_Version.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const TVersionFile v = ParseVersionFile(file.readAll());
    EXPECT_TRUE(v.newerProgram) << v.programVersion.toStdString();
    EXPECT_EQ(v.vren1Version, "4.10");
    EXPECT_EQ(v.tavr1Version, "1.21");
}
