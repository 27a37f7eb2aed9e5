#pragma once

#include <QString>

// Display names of measurement sources and of their measured quantities, by the
// plot family and instrument codes (TPlotFamilyCode).

// The model name; " " (one blank) for a family or instrument not in the table.
QString InstrumentName(int family, int instrument);
// The name of a measurement channel (from 0); " " for a family, instrument or
// channel not in the table.
QString ChannelName(int family, int instrument, int channel);
