#include "tavr1/Tavr1_Config.h"

#include "link/Frame2.h"
#include "models/Tavr1ConfigRows.h"
#include "platform/UserMessages.h"
#include "tavr1/Tavr1_ChildArgs.h"

namespace {

QStringList captions()
{
    QStringList l;
    for (const auto& row : Tavr1ConfigRows())
        l << row.caption;
    return l;
}

QList<bool> valueRows()
{
    QList<bool> l;
    for (const auto& row : Tavr1ConfigRows())
        l << row.hasValue();
    return l;
}

} // namespace

TTavr1Config::TTavr1Config(const TChildWindowArgs& args)
    : TConfigReport(tavr1WindowArgs(args, 0), Kind, UM_TAVR1_REFRESH, captions(), valueRows())
{
    setDesignedName(WindowToken::Tavr1Config, " Tavr-1 Unit Config");
    Refill();
}

bool TTavr1Config::recordsChanged()
{
    const TFrame2* f = frame();
    if (m_shown && m_unit == f->Tavr1UnitConfig && m_local == f->Tavr1LocalConfig)
        return false;
    m_shown = true;
    m_unit = f->Tavr1UnitConfig;
    m_local = f->Tavr1LocalConfig;
    return true;
}

QStringList TTavr1Config::unitColumn() const
{
    return Tavr1ConfigColumn(frame()->Tavr1UnitConfig);
}

QStringList TTavr1Config::localColumn() const
{
    return Tavr1ConfigColumn(frame()->Tavr1LocalConfig);
}

void TTavr1Config::Button1Click()
{
    if (TFrame2* f = frame()) {
        f->Tavr1UpdateLocalConfig = true;
        f->Tavr1UpdateLocalTable = true;
    }
}
