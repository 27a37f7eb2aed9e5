#pragma once

#include <QProxyStyle>

// The program's look: the platform's style, with password edits masking each
// character as "*" rather than the style's own dot, in every window at once.
class TProgramStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
