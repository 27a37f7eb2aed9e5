#include "widgets/ProgramStyle.h"

#include "widgets/PlainGlyphs.h"

#include <QPainter>

int TProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const
{
    if (hint == SH_LineEdit_PasswordCharacter)
        return '*';
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void TProgramStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                 const QPalette& pal, bool enabled, const QString& text,
                                 QPalette::ColorRole textRole) const
{
    // Disabled text may be etched or dithered by the style: the long way.
    if (enabled && !text.isEmpty()) {
        const QPen saved = painter->pen();
        if (textRole != QPalette::NoRole)
            painter->setPen(QPen(pal.brush(textRole), saved.widthF()));
        const bool drawn = drawPlainText(painter, rect, flags, text);
        painter->setPen(saved);
        if (drawn)
            return;
    }
    QProxyStyle::drawItemText(painter, rect, flags, pal, enabled, text, textRole);
}
