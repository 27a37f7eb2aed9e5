#include "vren1/Vren1_EmailGroupFrame.h"

#include "link/Frame2.h"
#include "panels/SettingsTable.h"
#include "protocol/hd/HdRequests.h"
#include "widgets/FillGuard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int toFirstId = 189;       // + group: the TO mask
constexpr int fromFirstId = 193;     // + group: the FROM mask
constexpr int subjectFirstId = 1033; // + group: the subject string
constexpr int testEmailAction = 530;
constexpr int subjectLength = 31;

// The GroupWord slots: the four TO masks, then the four FROM masks.
int toWord(int group)
{
    return group - 1;
}
int fromWord(int group)
{
    return 4 + group - 1;
}

} // namespace

TEmailGroupFrame::TEmailGroupFrame(QWidget* parent, TFrame2* frame, int groupNumber)
    : QFrame(parent)
    , GroupNumber(qBound(1, groupNumber, 4))
    , Frame(frame)
{
    setObjectName(QString("EmailGroupFrame%1").arg(GroupNumber));
    const int g = GroupNumber;
    const quint8 b3 = quint8(g);

    TSettingsTable::THooks hooks;
    hooks.read = [this](int word) {
        return Frame ? Frame->HdEmailSettings.GroupWord[size_t(word)] : 0;
    };
    hooks.store = [this](int word, qint32 value) {
        if (Frame)
            Frame->HdEmailSettings.GroupWord[size_t(word)] = value;
    };
    hooks.send = [this](int code, quint8 b) {
        if (Frame)
            QueueSetParameter(*Frame, code, 0, 0, 0, b);
    };
    hooks.readText = [this](int id) {
        const QString* s = Frame ? Frame->HdEmailSettings.stringFor(id) : nullptr;
        return s ? *s : QString();
    };
    hooks.storeText = [this](int id, const QString& text) {
        if (QString* s = Frame ? Frame->HdEmailSettings.stringFor(id) : nullptr)
            *s = text;
    };
    hooks.sendText = [this](int code, quint8 b) {
        if (Frame)
            QueueStringParameter(*Frame, code, 0, 0, 0, b);
    };
    m_table = new TSettingsTable(this, Filling, std::move(hooks));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    Email_GB = new QGroupBox(QString(" Email Group #%1 ").arg(g), this);
    Email_GB->setObjectName("Email_GB");
    outer->addWidget(Email_GB);
    auto* layout = new QVBoxLayout(Email_GB);

    auto row = [&](const char* caption, const char* name, auto makeButton) {
        auto* box = new QGroupBox(caption, Email_GB);
        box->setObjectName(name);
        auto* grid = new QGridLayout(box);
        grid->setHorizontalSpacing(22);
        grid->setVerticalSpacing(0);
        // The column label: each address number over its button.
        for (int n = 0; n < 8; ++n) {
            auto* number = new QLabel(QString::number(n + 1), box);
            number->setAlignment(Qt::AlignHCenter);
            grid->addWidget(number, 0, n, Qt::AlignHCenter);
            grid->addWidget(makeButton(box, n), 1, n, Qt::AlignHCenter);
        }
        layout->addWidget(box);
    };
    row("   TO:   ", "TO_GB", [&](QWidget* box, int n) {
        auto* c = new QCheckBox(box);
        c->setObjectName(QString("Email%1_CB").arg(n + 1));
        EmailCB[size_t(n)] = c;
        m_table->addCheck(c, {toWord(g), toFirstId + g, b3}, TSettingsTable::TBit::Toggle, n);
        return c;
    });
    m_from = new QButtonGroup(this);
    m_from->setExclusive(true);
    row("   FROM:     ", "FROM_GB", [&](QWidget* box, int n) {
        auto* r = new QRadioButton(box);
        r->setObjectName(QString("Email%1_RB").arg(n + 1));
        EmailRB[size_t(n)] = r;
        m_from->addButton(r, n);
        m_table->addCheck(r, {fromWord(g), fromFirstId + g, b3}, TSettingsTable::TBit::Only, n);
        return r;
    });

    auto* subject = new QGroupBox("  SUBJECT  ", Email_GB);
    subject->setObjectName("Subject_GB");
    auto* subjectRow = new QHBoxLayout(subject);
    Subject_Edit = new QLineEdit(subject);
    Subject_Edit->setObjectName("Subject_Edit");
    Subject_Edit->setMinimumWidth(
        Subject_Edit->fontMetrics().horizontalAdvance(QString(subjectLength + 2, 'x')));
    subjectRow->addWidget(Subject_Edit);
    m_table->addText(Subject_Edit, {subjectFirstId + g, subjectFirstId + g, b3}, subjectLength);
    layout->addWidget(subject);

    TestEmail_Button = new QPushButton("Test Email ", Email_GB);
    TestEmail_Button->setObjectName("TestEmail_Button");
    layout->addWidget(TestEmail_Button, 0, Qt::AlignLeft);
    layout->addStretch(1);

    Refill();
    m_table->connectAll();
    // The test acts even during a fill: it stores nothing.
    connect(TestEmail_Button, &QPushButton::clicked, this, [this] {
        if (Frame)
            QueueAction(*Frame, testEmailAction, 0, 0, 0, quint8(GroupNumber));
    });
}

void TEmailGroupFrame::Refill()
{
    if (!Frame)
        return;
    FillGuard guard(Filling);
    // Without exclusivity each FROM button follows its own bit, so a mask of
    // none or of two shows as the unit holds it.
    m_from->setExclusive(false);
    m_table->fill();
    m_from->setExclusive(true);
}
