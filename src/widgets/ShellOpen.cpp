#include "widgets/ShellOpen.h"

#include <QDesktopServices>

namespace {
std::function<bool(const QUrl&)>& hook()
{
    static std::function<bool(const QUrl&)> h;
    return h;
}
} // namespace

bool ShellOpen(const QUrl& url)
{
    if (hook())
        return hook()(url);
    return QDesktopServices::openUrl(url);
}

bool ShellOpenFile(const QString& path)
{
    return ShellOpen(QUrl::fromLocalFile(path));
}

void SetShellOpenHook(std::function<bool(const QUrl&)> h)
{
    hook() = std::move(h);
}
