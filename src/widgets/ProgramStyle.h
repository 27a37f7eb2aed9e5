#pragma once

#include <QProxyStyle>

// The program's look: the platform's style, with password edits masking each
// character as "*" rather than the style's own dot, in every window at once.
// Its labels draw a line of ASCII in a fixed-pitch face the short way
// (drawPlainText), the same pixels without laying the text out: readouts are
// redrawn with every block.
class TProgramStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& pal,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;
};
