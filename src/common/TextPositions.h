#pragma once

#include <QByteArray>

// The link code counts character positions from 1, as the instruments'
// documentation does; these helpers keep that arithmetic in one place so no
// caller writes its own -1. Position 0 means "not found".

// 1-based position of the first needle in text, 0 when absent.
inline qsizetype posOf(const QByteArray& needle, const QByteArray& text)
{
    const qsizetype i = text.indexOf(needle);
    return i < 0 ? 0 : i + 1;
}

// count characters from 1-based position start; clipped to the text, empty when
// start lies outside it.
inline QByteArray copyAt(const QByteArray& text, qsizetype start, qsizetype count)
{
    if (start < 1 || start > text.size() || count <= 0)
        return {};
    return text.mid(start - 1, count);
}

// The character at 1-based position pos, or 0 when pos lies outside the text.
inline char charAt(const QByteArray& text, qsizetype pos)
{
    return (pos >= 1 && pos <= text.size()) ? text.at(pos - 1) : '\0';
}

// Removes count characters from 1-based position start (clipped).
inline void deleteAt(QByteArray& text, qsizetype start, qsizetype count)
{
    if (start < 1 || start > text.size() || count <= 0)
        return;
    text.remove(start - 1, count);
}
