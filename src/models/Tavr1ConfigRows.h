#pragma once

#include "models/ConfigReportRows.h"
#include "protocol/tavr1/Tavr1Data.h"

// The rows of the Tavr1 unit-configuration report: the unit's settings
// section by section, then four rows (caption, threshold, time, action) for
// each of its fourteen alarms.
constexpr int Tavr1ConfigRowCount = 142;
constexpr int Tavr1ConfigFirstAlarmRow = 86;

const TConfigReportRows<Tavr1ConfigRecord>& Tavr1ConfigRows();

// The column of the report for one record.
QStringList Tavr1ConfigColumn(const Tavr1ConfigRecord& record);

// "ON" when the two low bits read 1, else "OFF".
QString Tavr1OnOffText(qint32 v);
// "AUTO" for 2, "ON" for 1, else "OFF", from the two low bits.
QString Tavr1OnOffAutoText(qint32 v);
