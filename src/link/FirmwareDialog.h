#pragma once

#include <QString>

class QObject;

// What a firmware sender writes into the update dialog bound to its frame.
// The dialogs live in shell/, which link never includes; they implement this.
class TFirmwareDialogPort
{
public:
    virtual ~TFirmwareDialogPort() = default;
    // The dialog as an object, so the frame can hold it guarded.
    virtual QObject* PortObject() = 0;
    virtual void SetProgress(int percent) = 0;
    virtual void SetCountText(const QString& text) = 0;
    virtual void SetStateText(const QString& text) = 0;
    virtual void SetBadChecksumText(const QString& text) = 0;
    // Closes the dialog with result 1 (success) or 2 (failure or cancel).
    virtual void FinishTransfer(int result) = 0;
    // The unit refused a line four times: tell the user the file may be
    // corrupt. Called from the tick; the dialog opens its box later.
    virtual void ReportBadChecksum(const QString& path) = 0;
    // The HD sender's extra line after the data (without CR); empty for none.
    virtual QByteArray SerialRecord() { return {}; }
};
