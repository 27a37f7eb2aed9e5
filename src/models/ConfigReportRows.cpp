#include "models/ConfigReportRows.h"

#include "common/FieldHelpers.h"

QString AlarmActionText(qint32 action)
{
    const quint32 a = quint32(action);
    return "R:" + IntField(a & 7, 1) + " E:" + IntField((a >> 3) & 7, 1) +
           " D:" + IntField((a >> 6) & 3, 1);
}
