#pragma once

// Shared enumerations. Their numbers are stored in the connection files and
// compared by every window, so they keep their values.

enum TConnectionStatus : int
{
    stDisconnected = 0,
    stConnecting = 1,
    stDownloading = 2,
    stActive = 3,
    stInitializing = 10,
    stDialing = 11,
    stWaiting = 12,
    stPassword = 13,
    stUpdating = 14,
    stError = 99,
};

enum THardwareType : int
{
    htRackSystem = 0,
    htBry1 = 1,
    htHDSystem = 2,
    htTavr1 = 3,
};

enum TTransport : int
{
    trSerial = 0,
    trNetwork = 1,
    trModem = 2,
};

enum TRackFamily : int
{
    rkNone = 0,
    rkFM = 1,
    rkTV = 2,
    rkAM = 3,
};

// Family codes handed to plots, alarm and history windows and to the name tables.
enum TPlotFamilyCode : int
{
    pfFMRack = 1,
    pfTVRack = 2,
    pfAMRack = 3,
    pfVren1 = 4,
    pfTavr1 = 5,
};

// Kinds of event-log line.
enum TLogKind : int
{
    lkError = 0,
    lkStatus = 1,
    lkDebug = 2,
};
