#include "widgets/ProgramStyle.h"

int TProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const
{
    if (hint == SH_LineEdit_PasswordCharacter)
        return '*';
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
