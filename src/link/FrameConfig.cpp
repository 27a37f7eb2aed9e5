// Loading and saving the connection's settings file.
#include "link/Frame2.h"

#include "common/BaseDirectory.h"

#include <QDir>
#include <QFile>
#include <QTimer>

QString TFrame2::ConfigFilePath() const
{
    return DataFolder("CONFIG") + objectName() + ".CFG";
}

void TFrame2::LoadConfiguration()
{
    TraceEnabled = false;
    const TConnectionSettings defaults = DefaultSettings(objectName(), BaseDirectory());
    static_cast<TConnectionSettings&>(*this) = defaults;

    const QString path = ConfigFilePath();
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        static_cast<TConnectionSettings&>(*this) = ParseConfigFile(file.readAll(), defaults);
    } else {
        // A missing file is written with the defaults. If even that fails (a
        // read-only folder) the connection still starts, on the defaults.
        QDir().mkpath(DataFolder("CONFIG"));
        QString error;
        if (!SaveConfigFile(path, defaults, &error))
            LogEvent(QString(" Cannot write %1: %2 ").arg(path, error), lkError);
    }

    BaudCode = BaudCodeFor(HardwareType, Transport, BaudChoice);
    ReadBuffer.resize(2048);
    HdObjectsReleased = false;

    RxBuffer.clear();
    ProcessState = 0;
    Status = stDisconnected;
    LogOpen = false;
    forgetDetectedUnits();
    RackWindow = nullptr;

    RefreshHardwareList();
    RefreshConnectionList();
    Timer1->start();

    if (ConnectOnStartup)
        OpenConnection();
    if (LoggingEnabled)
        StartLog();
}

bool TFrame2::SaveConfiguration(QString* error)
{
    QDir().mkpath(DataFolder("CONFIG"));
    return SaveConfigFile(ConfigFilePath(), *this, error);
}
