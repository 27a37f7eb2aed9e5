#include "shell/UpdateDialogBase.h"

#include "data/EventLog.h"
#include "link/Frame2.h"
#include "protocol/firmware/DldFile.h"
#include "widgets/MessageBoxService.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QProgressBar>
#include <QStandardItemModel>
#include <QTimer>

TUpdateDialogBase::TUpdateDialogBase(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("Update ");
    CountText = makeLabel("CountText");
    StaticText7 = makeLabel("StaticText7", " Idle  ");
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
}

QLabel* TUpdateDialogBase::makeLabel(const char* name, const QString& text)
{
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    return l;
}

QPushButton* TUpdateDialogBase::makeButton(const char* name, const QString& text)
{
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QHeaderView* TUpdateDialogBase::makeHeader(const QStringList& sections, const QList<int>& widths)
{
    auto* model = new QStandardItemModel(0, int(sections.size()), this);
    model->setHorizontalHeaderLabels(sections);
    auto* h = new QHeaderView(Qt::Horizontal, this);
    h->setObjectName("HeaderControl1");
    h->setModel(model);
    h->setSectionResizeMode(QHeaderView::Fixed);
    h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < widths.size(); ++i)
        h->resizeSection(i, widths[i]);
    h->setFixedHeight(h->sizeHint().height());
    return h;
}

bool TUpdateDialogBase::Claimed() const
{
    return m_frame || isVisible();
}

bool TUpdateDialogBase::ShowFor(TFrame2& frame, bool fromLogin)
{
    if (Claimed())
        return false;
    m_frame = &frame;
    m_fromLogin = fromLogin;
    m_transferStarted = false;
    frame.UpdateOfferedAtLogin = fromLogin;
    // Never from inside a tick: a nested loop there would stop the very timer
    // that runs the transfer.
    QTimer::singleShot(0, this, [this] {
        if (!m_frame)
            return;
        setModal(true);
        show();
        raise();
    });
    return true;
}

void TUpdateDialogBase::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Once per show: an error box closing re-activates the window, and
    // filling again there would open the box again.
    if (!e->spontaneous())
        FormActivate();
}

bool TUpdateDialogBase::transferring() const
{
    return m_transferStarted && m_frame && m_frame->FirmwareTransferRunning();
}

void TUpdateDialogBase::closeEvent(QCloseEvent* e)
{
    if (transferring() && !m_finishing) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void TUpdateDialogBase::done(int result)
{
    // Once lines flow the unit must be taken to an end: only the sender
    // closes the dialog then.
    if (transferring() && !m_finishing)
        return;
    QDialog::done(result);
    release(!m_transferStarted);
}

void TUpdateDialogBase::release(bool declined)
{
    TFrame2* f = m_frame;
    m_frame = nullptr;
    if (!f)
        return;
    if (f->FirmwareDialog() == this)
        f->BindFirmwareDialog(nullptr);
    if (declined && m_fromLogin)
        f->FirmwareUpdateDeclined();
    f->UpdateOfferedAtLogin = false;
    m_fromLogin = false;
}

void TUpdateDialogBase::errorBox(const QString& text)
{
    ShowMessageBox(this, {QMessageBox::Critical, windowTitle(), text, QMessageBox::Ok});
}

bool TUpdateDialogBase::anotherTransferRunning()
{
    if (!TFrame2::AnyFirmwareTransferRunning())
        return false;
    errorBox("Another connection is updating firmware. Start this update when it has finished.");
    return true;
}

bool TUpdateDialogBase::takeFile(const QString& path, bool network)
{
    if (!m_frame)
        return false;
    auto file = std::make_unique<TDldFile>();
    const TDldError e = ReadDldFile(
        path, network ? TDldHeaderForm::NetworkModule : TDldHeaderForm::MainFirmware, file.get());
    switch (e) {
    case TDldError::None:
        break;
    case TDldError::NotFound:
        errorBox("Download File Not Found:" + path);
        return false;
    case TDldError::BadRecord:
        errorBox("Bad Checksums, File Maybe Corrupt:  " + path);
        return false;
    case TDldError::BadCount:
    case TDldError::TooLarge:
    case TDldError::TooManyLines:
        errorBox("Invaild File Software Version, Please Contact Korsa" + path);
        return false;
    }
    if (file->DataLineCount() != file->Header.LineCount) {
        // The unit judges a short image; the engineer should know why it fails.
        m_frame->LogEvent(
            " Firmware file " + path + " holds " + QString::number(file->DataLineCount()) +
                " data lines, its header says " + QString::number(file->Header.LineCount) + " ",
            lkError);
    }
    m_frame->FirmwareLineCount = quint16(file->Header.LineCount);
    m_frame->SetFirmwareFile(std::move(file), path);
    return true;
}

void TUpdateDialogBase::transferStarted()
{
    m_frame->BindFirmwareDialog(this);
    m_transferStarted = true;
}

void TUpdateDialogBase::SetProgress(int percent)
{
    ProgressBar1->setValue(percent);
}

void TUpdateDialogBase::SetCountText(const QString& text)
{
    CountText->setText(text);
}

void TUpdateDialogBase::SetStateText(const QString& text)
{
    StaticText7->setText(text);
}

void TUpdateDialogBase::SetBadChecksumText(const QString& text)
{
    if (BadChecksumText)
        BadChecksumText->setText(text);
}

void TUpdateDialogBase::FinishTransfer(int result)
{
    m_finishing = true;
    done(result == 1 ? QDialog::Accepted : 2);
    m_finishing = false;
}

void TUpdateDialogBase::ReportBadChecksum(const QString& path)
{
    // The sender calls this inside its tick; the box opens after it.
    QTimer::singleShot(0, this,
                       [this, path] { errorBox("Bad Checksums, File Maybe Corrupt:  " + path); });
}
