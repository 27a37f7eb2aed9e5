#include "vren1/HD_Config.h"

#include "common/WindowNames.h"
#include "link/Frame2.h"
#include "models/HdConfigRows.h"
#include "platform/UserMessages.h"

namespace {

QStringList captions()
{
    QStringList l;
    for (const auto& row : HdConfigRows())
        l << row.caption;
    return l;
}

QList<bool> valueRows()
{
    QList<bool> l;
    for (const auto& row : HdConfigRows())
        l << row.hasValue();
    return l;
}

// The panel keeps one report, named and closed as index 0 whatever it hands over.
TChildWindowArgs reportArgs(TChildWindowArgs args)
{
    args.index = 0;
    return args;
}

} // namespace

THDConfig::THDConfig(const TChildWindowArgs& args)
    : TConfigReport(reportArgs(args), Kind, UM_HD_REFRESH, captions(), valueRows())
{
    setDesignedName(WindowToken::HdConfig, " Vren-1 Unit Config");
    Refill();
}

bool THDConfig::recordsChanged()
{
    const TFrame2* f = frame();
    if (m_shown && m_unit == f->HdUnitConfig && m_local == f->HdLocalConfig)
        return false;
    m_shown = true;
    m_unit = f->HdUnitConfig;
    m_local = f->HdLocalConfig;
    return true;
}

QStringList THDConfig::unitColumn() const
{
    return HdConfigColumn(frame()->HdUnitConfig);
}

QStringList THDConfig::localColumn() const
{
    return HdConfigColumn(frame()->HdLocalConfig);
}

void THDConfig::Button1Click()
{
    if (TFrame2* f = frame()) {
        f->HdUpdateLocalConfig = true;
        f->UpdateLocalTables = true;
    }
}
