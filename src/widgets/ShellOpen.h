#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// Opens a web address or a local file (a help page) in the user's browser.
bool ShellOpen(const QUrl& url);
// A local path is opened as a file URL.
bool ShellOpenFile(const QString& path);

// Tests install a hook that records the request instead of starting a browser;
// an empty hook restores the desktop's.
void SetShellOpenHook(std::function<bool(const QUrl&)> hook);
