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
    if (!e->spontaneous()) {
        FormActivate();
        // The compact size its rows need, every time: a fixed width alone
        // leaves the window at the toolkit's default height on the first show.
        adjustSize();
    }
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

namespace {

// The box for a file refused at the click; the path follows it.
QString refusalBoxText(TDldError e, const TDldFile& file, const TDldCheck& check)
{
    switch (e) {
    case TDldError::BadRecord:
        return "Bad Checksums, File Maybe Corrupt:  ";
    case TDldError::None:
        break;
    default:
        return "Invaild File Software Version, Please Contact Korsa";
    }
    switch (check.Fault) {
    case TDldFault::NoDataLines:
        return "No Data Lines, File Maybe Corrupt:  ";
    case TDldFault::CountMismatch:
        return QString("%1 Data Lines, Header Says %2, File Maybe Corrupt:  ")
            .arg(file.DataLineCount())
            .arg(file.Header.LineCount);
    default:
        return "Bad Checksums, File Maybe Corrupt:  ";
    }
}

} // namespace

bool TUpdateDialogBase::takeFile(const QString& path, bool network)
{
    if (!m_frame)
        return false;
    auto file = std::make_unique<TDldFile>();
    const TDldError e = ReadDldFile(
        path, network ? TDldHeaderForm::NetworkModule : TDldHeaderForm::MainFirmware, file.get());
    if (e == TDldError::NotFound) {
        errorBox("Download File Not Found:" + path);
        return false;
    }
    // The unit erases before it flashes: only the whole image may go out.
    const TDldCheck check = e == TDldError::None ? CheckDldImage(*file) : TDldCheck{};
    if (e != TDldError::None || check.Fault != TDldFault::None) {
        m_frame->LogEvent(" Firmware file " + path + " refused: " +
                              DldRefusalReason(e, *file, check) + " ",
                          lkError);
        errorBox(refusalBoxText(e, *file, check) + path);
        return false;
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
