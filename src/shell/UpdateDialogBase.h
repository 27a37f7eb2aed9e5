#pragma once

#include "link/FirmwareDialog.h"

#include <QDialog>
#include <QPointer>

class QHeaderView;
class QLabel;
class QPushButton;
class QProgressBar;
class TFrame2;

// What the three firmware update dialogs share: the frame they are bound to,
// showing without a nested event loop (so the frame's timer keeps running the
// transfer behind them), refusing to close while lines flow, reading the file
// whole at the click, and the texts a sender writes.
class TUpdateDialogBase : public QDialog, public TFirmwareDialogPort
{
    Q_OBJECT
public:
    explicit TUpdateDialogBase(QWidget* parent = nullptr);

    QLabel* CountText = nullptr;
    QLabel* StaticText7 = nullptr;     // state text
    QLabel* BadChecksumText = nullptr; // none on the HD dialog
    QProgressBar* ProgressBar1 = nullptr;
    QHeaderView* HeaderControl1 = nullptr;

    // Takes frame at once (so a second login in the same pass finds it
    // taken) and shows from a queued call. Returns false when the dialog is
    // already taken or shown.
    bool ShowFor(TFrame2& frame, bool fromLogin);
    bool Claimed() const;
    TFrame2* Frame() const { return m_frame; }

    virtual void FormActivate() = 0;

    // TFirmwareDialogPort
    QObject* PortObject() override { return this; }
    void SetProgress(int percent) override;
    void SetCountText(const QString& text) override;
    void SetStateText(const QString& text) override;
    void SetBadChecksumText(const QString& text) override;
    void FinishTransfer(int result) override;
    void ReportBadChecksum(const QString& path) override;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

    QLabel* makeLabel(const char* name, const QString& text = {});
    // Never the default button: Enter must not start or refuse an update.
    QPushButton* makeButton(const char* name, const QString& text);
    QHeaderView* makeHeader(const QStringList& sections, const QList<int>& widths);
    void errorBox(const QString& text);
    // Refused while any frame transfers firmware (with its box).
    bool anotherTransferRunning();
    // Reads path whole and hands it to the frame; false (and the box shown)
    // when it cannot be used.
    bool takeFile(const QString& path, bool network);
    // Binds the frame to this dialog for the transfer just started.
    void transferStarted();

    QPointer<TFrame2> m_frame;
    bool m_fromLogin = false;
    bool m_transferStarted = false;

private:
    bool transferring() const;
    void release(bool declined);

    bool m_finishing = false;
};
