#include "protocol/rack/RackData.h"

void TRackData::resetRackData()
{
    Kelb1State = {};
    Nuva1State = {};
    Lyn1State = {};
    Varn1State = {};
    Jov4State = {};
    Gry230State = {};
    Gry250State = {};
    Pelo1State = {};
    Pelo2State = {};
    RdsPhaseValid = false;
    RdsGroups = {};
    RdsQueue = {};
    RackSlotList = {};
    // A controller of the last connection must not pick this one's decoders.
    RackController = 0;
    AmVariant = 0;
    FirstHalfSlot = -1;
    AmModuleKind = 0;
    NewModuleData = false;
    NewSamples = false;
    NewSampleBlock = false;
    DownloadFile.close();
    DownloadLineCount = 0;
    DownloadLineNumber = 0;
    DownloadLine.clear();
    SendNextLine = false;
    BadChecksumCount = 0;
    PollElapsed = 0;
    LastPollTime = QDateTime();
}
