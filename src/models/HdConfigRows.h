#pragma once

#include "models/ConfigReportRows.h"
#include "protocol/hd/HdData.h"

// The rows of the Vren1 unit-configuration report: the unit's settings
// section by section, then four rows (caption, threshold, time, action) for
// each of its 22 alarms.
constexpr int HdConfigRowCount = 168;
constexpr int HdConfigFirstAlarmRow = 80;

const TConfigReportRows<HdConfigRecord>& HdConfigRows();

// The column of the report for one record.
QStringList HdConfigColumn(const HdConfigRecord& record);
