#include "common/OpenWindowList.h"

#include "common/NameTables.h"
#include "common/WindowNames.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// Blanks between the key and a child window's title, and a panel's.
const QString ChildIndent = "     ";
const QString PanelIndent = "    ";

const TListPanel* panelOf(const QString& rest)
{
    // Longest first, so no token is taken for the start of a longer one.
    const TListPanel* best = nullptr;
    for (const TListPanel& p : ListPanels) {
        if (rest.startsWith(QLatin1String(p.token)) &&
            (!best || std::strlen(p.token) > std::strlen(best->token)))
            best = &p;
    }
    return best;
}

// The index after a kind token, when what follows is exactly the digits its
// format writes.
std::optional<int> indexAfter(const QString& digits, const TWindowToken& token)
{
    if (token.noIndex)
        return digits.isEmpty() ? std::optional<int>(0) : std::nullopt;
    const qsizetype wanted = token.twoDigitIndex ? 2 : -1;
    if (digits.isEmpty() || digits.size() > 2 || (wanted > 0 && digits.size() != wanted))
        return std::nullopt;
    int value = 0;
    for (QChar c : digits) {
        if (c < QChar('0') || c > QChar('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

// Key letters and title of a child window, from what follows the panel token.
std::optional<QString> childEntry(const TListPanel& panel, const QString& after)
{
    for (const TListWindow& w : ListWindows) {
        if (!(w.models & panel.model) || !w.token ||
            !after.startsWith(QLatin1String(w.token->token)))
            continue;
        const std::optional<int> index =
            indexAfter(after.mid(qsizetype(std::strlen(w.token->token))), *w.token);
        if (!index)
            continue;
        QString key = QString(panel.moduleLetter) + QLatin1String(w.key);
        QString title;
        switch (w.how) {
        case TListTitle::Fixed:
            title = QLatin1String(w.title);
            if (key.size() == 2)
                key += QChar('A' + *index);
            break;
        case TListTitle::Channel:
            // "A" + channel up to 25, then the character 39 + channel, so
            // channel 26 takes "A" again and sorts with channel 0.
            title = ChannelName(panel.family, panel.instrument, *index) + QLatin1String(w.title);
            key += QChar(*index <= 25 ? 'A' + *index : 39 + *index);
            break;
        case TListTitle::ByIndex:
            if (*index >= w.titleCount)
                continue;
            title = QLatin1String(w.titles[*index]);
            key += QChar('B' + *index);
            break;
        }
        return key + ChildIndent + title;
    }
    return std::nullopt;
}

// The entry before the cut (sort key and shown text), or nothing for a window
// that belongs to no connection.
std::optional<QString> entryOf(const TOpenWindowName& w)
{
    const QString& name = w.name;
    if (name == "Connects")
        return QString("AA  Connections");
    if (!name.startsWith("Rack") || name.size() < 5)
        return std::nullopt;
    const QChar digit = name.at(4);
    if (digit < QChar('1') || digit > QChar('8'))
        return std::nullopt;
    const QChar rackLetter('B' + (digit.unicode() - '1'));
    const QString rest = name.mid(5);
    if (rest.isEmpty())
        return rackLetter + QString("A  ") + w.rackCaption;
    if (!rest.startsWith('_'))
        return std::nullopt;               // "Rack12", "Racks1": no connection's window
    const QString shortName = name.mid(6); // without "Rack"n"_"
    if (const TListPanel* panel = panelOf(rest)) {
        const QString after = rest.mid(qsizetype(std::strlen(panel->token)));
        if (after.isEmpty())
            return rackLetter + QString(panel->moduleLetter) + PanelIndent + shortName;
        if (std::optional<QString> child = childEntry(*panel, after))
            return rackLetter + *child;
    }
    // A window of the rack that no kind describes: last in its rack's group,
    // under its own name.
    return rackLetter + QString("Z  ") + shortName;
}

} // namespace

QList<TOpenWindowEntry> BuildOpenWindowList(const QList<TOpenWindowName>& windows)
{
    struct Built
    {
        QString entry;
        int source;
    };
    QList<Built> built;
    for (int i = 0; i < windows.size(); ++i) {
        if (std::optional<QString> e = entryOf(windows.at(i)))
            built.append({*e, i});
    }
    // Ordinal: a locale-aware compare skips blanks and would put a panel
    // after its own windows.
    std::stable_sort(built.begin(), built.end(), [](const Built& a, const Built& b) {
        return QString::compare(a.entry, b.entry) < 0;
    });
    QList<TOpenWindowEntry> out;
    out.reserve(built.size());
    for (const Built& b : built)
        out.append({b.entry.left(4), b.entry.mid(4), b.source});
    return out;
}
