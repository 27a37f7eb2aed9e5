// Loading and saving the connection's settings file.
#include "link/Frame2.h"

#include "common/BaseDirectory.h"

#include <QDir>
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
    QString reason;
    ConfigFileKept = false;
    switch (LoadConfigFile(path, defaults, this, &reason)) {
    case TConfigLoad::Read:
        break;
    case TConfigLoad::Missing: {
        // A missing file is written with the defaults. If even that fails (a
        // read-only folder) the connection still starts, on the defaults.
        QDir().mkpath(DataFolder("CONFIG"));
        QString error;
        if (!SaveConfigFile(path, defaults, &error))
            LogEvent(QString(" Cannot write %1: %2 ").arg(path, error), lkError);
        break;
    }
    case TConfigLoad::Unreadable:
        ConfigFileKept = true;
        LogEvent(QString(" Cannot read %1: %2; the connection runs on the defaults and the file "
                         "is left as it is until Save in Configure ")
                     .arg(path, reason),
                 lkError);
        break;
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
    if (ConfigFileKept) {
        if (error)
            *error = ConfigFilePath() + " could not be read at the start and is left as it is";
        return false;
    }
    return SaveConfigurationByUser(error);
}

bool TFrame2::SaveConfigurationByUser(QString* error)
{
    QDir().mkpath(DataFolder("CONFIG"));
    if (!SaveConfigFile(ConfigFilePath(), *this, error))
        return false;
    ConfigFileKept = false;
    return true;
}
