#pragma once

#include <QList>
#include <QString>

// The main window's list of open windows, built from component names alone so
// it can be tested without a single window.

// One open window: its component name, and the rack caption of the connection
// whose rack it belongs to (only the rack entry shows it).
struct TOpenWindowName
{
    QString name;
    QString rackCaption;
};

// One line of the list: a sort key of four characters and the text shown.
struct TOpenWindowEntry
{
    QString key;
    QString text;
    int source = -1; // its position in the names given
};

// The entries of the windows that belong to the connections, in list order:
// "Connects", and "Rack1".."Rack8" with their panels and windows. Every other
// name is left out. Sorting is ordinal and case-sensitive, so a panel comes
// before its windows and rack 1's group before rack 2's.
QList<TOpenWindowEntry> BuildOpenWindowList(const QList<TOpenWindowName>& windows);
