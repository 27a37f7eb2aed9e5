#include "sim/hd/HdSwitches.h"

#include "sim/hd/HdSim.h"

#include <optional>
#include <vector>

namespace {

// The comma-separated numbers of a switch's value, each within [min, max].
std::optional<std::vector<qint64>> numbers(const QString& value, int count, qint64 min, qint64 max)
{
    const QStringList parts = value.split(',');
    if (parts.size() != count)
        return std::nullopt;
    std::vector<qint64> out;
    for (const QString& p : parts) {
        bool ok = false;
        const qint64 v = p.trimmed().toLongLong(&ok, 0);
        if (!ok || v < min || v > max)
            return std::nullopt;
        out.push_back(v);
    }
    return out;
}

} // namespace

int TakeHdStatusSwitch(HdSim& sim, const QStringList& args, int i)
{
    if (i < 0 || i >= args.size())
        return 0;
    const QString& name = args[i];
    if (name != "--ta-status" && name != "--apply-states" && name != "--alarm-masks")
        return 0;
    if (i + 1 >= args.size())
        return -1;
    const QString& value = args[i + 1];
    if (name == "--ta-status") {
        // Any signed delay, so a test can show what a window makes of a
        // negative or too large one.
        const auto v = numbers(value, 2, -qint64(0x80000000), 0x7FFFFFFF);
        if (!v || (*v)[0] < 0 || (*v)[0] > 255)
            return -1;
        sim.setTimeAlignStatus(int((*v)[0]), qint32((*v)[1]));
    } else if (name == "--apply-states") {
        const auto v = numbers(value, 6, 0, 255);
        if (!v)
            return -1;
        for (int k = 1; k <= 6; ++k)
            sim.setApplyState(k, int((*v)[size_t(k - 1)]));
    } else {
        const auto v = numbers(value, 2, 0, 0xFFFFFF);
        if (!v)
            return -1;
        sim.setAlarmMasks(quint32((*v)[0]), quint32((*v)[1]));
    }
    return 2;
}
