#include "common/BaseDirectory.h"

#include <QDir>

namespace {
QString& baseDir()
{
    static QString dir = QDir::currentPath();
    return dir;
}
} // namespace

QString BaseDirectory()
{
    return baseDir();
}

void SetBaseDirectory(const QString& dir)
{
    QString d = dir;
    while (d.size() > 1 && d.endsWith('/'))
        d.chop(1);
    baseDir() = d;
}

QString DataFolder(const QString& folder)
{
    return BaseDirectory() + "/" + folder + "/";
}
