#include "panels/SettingsTable.h"

#include "common/FieldHelpers.h"
#include "widgets/FillGuard.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValidator>

namespace {

// Refuses any text with a character a request line cannot carry, so a pasted
// line end never reaches the edit at all.
class TPrintableLatin1Validator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return IsPrintableLatin1(input) ? Acceptable : Invalid;
    }
};

QFont fixedFont()
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setBold(true);
    return f;
}

int fmTuningPosition(qint32 value)
{
    return int(qBound(qint64(-1), RoundHalfEven((value - 875) / 2.0), qint64(1000)));
}

qint32 fmTuningValue(int position)
{
    return position * 2 + 875;
}

int attenuatorPosition(qint32 value)
{
    return 63 - value;
}

qint32 attenuatorValue(int position)
{
    return 63 - position;
}

} // namespace

const TSettingScale FmTuningScale{fmTuningPosition, fmTuningValue};
const TSettingScale RfAttenuatorScale{attenuatorPosition, attenuatorValue};

QTabWidget* AddSettingsBook(QWidget* window)
{
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* book = new QTabWidget(window);
    book->setObjectName("PageControl1");
    layout->addWidget(book);
    return book;
}

QWidget* AddSettingsPage(QTabWidget* book, const char* name, const QString& caption)
{
    auto* page = new QWidget(book);
    page->setObjectName(name);
    book->addTab(page, caption);
    return page;
}

bool IsPrintableLatin1(const QString& text)
{
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (!((u >= 0x20 && u <= 0x7E) || (u >= 0xA0 && u <= 0xFF)))
            return false;
    }
    return true;
}

TSettingsTable::TSettingsTable(QObject* parent, bool& filling, THooks hooks)
    : QObject(parent)
    , m_filling(filling)
    , m_hooks(std::move(hooks))
{}

int TSettingsTable::add(const TControl& c)
{
    m_controls << c;
    return int(m_controls.size()) - 1;
}

int TSettingsTable::addCombo(QComboBox* combo, const TBinding& b)
{
    return add(TControl{TKind::Combo, combo, nullptr, b});
}

int TSettingsTable::addRadio(RadioGroup* group, const TBinding& b)
{
    return add(TControl{TKind::Radio, group, nullptr, b});
}

int TSettingsTable::addUpDown(UpDown* updown, QLabel* text, const TBinding& b, Format format,
                              TScale scale)
{
    return add(TControl{TKind::Spin, updown, text, b, format, scale});
}

int TSettingsTable::addCheck(QAbstractButton* button, const TBinding& b, TBit mode, int bit)
{
    button->setCheckable(true);
    return add(TControl{TKind::Check, button, nullptr, b, nullptr, {}, bit, mode});
}

int TSettingsTable::addText(QLineEdit* edit, const TBinding& b, int maxLength)
{
    edit->setMaxLength(maxLength);
    edit->setValidator(new TPrintableLatin1Validator(edit));
    return add(TControl{TKind::Text, edit, nullptr, b});
}

QComboBox* TSettingsTable::addCombo(QGridLayout* grid, int row, int col, const char* name,
                                    const QString& caption, const QStringList& items,
                                    const TBinding& b)
{
    auto* box = new QGroupBox(caption, grid->parentWidget());
    auto* l = new QHBoxLayout(box);
    auto* combo = new QComboBox(box);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setMinimumContentsLength(12);
    l->addWidget(combo);
    grid->addWidget(box, row, col, Qt::AlignTop);
    addCombo(combo, b);
    return combo;
}

QComboBox* TSettingsTable::addComboRow(QGridLayout* grid, int row, const char* name,
                                       const QString& caption, const QStringList& items,
                                       const TBinding& b)
{
    QWidget* parent = grid->parentWidget();
    grid->addWidget(new QLabel(caption, parent), row, 0);
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setMinimumContentsLength(10);
    grid->addWidget(combo, row, 1);
    addCombo(combo, b);
    return combo;
}

RadioGroup* TSettingsTable::addRadio(QGridLayout* grid, int row, int col, const char* name,
                                     const QString& caption, const QStringList& items,
                                     const TBinding& b, int columns)
{
    auto* group = new RadioGroup(caption, items, grid->parentWidget(),
                                 columns > 0 ? columns : int(items.size()));
    group->setObjectName(name);
    grid->addWidget(group, row, col, Qt::AlignTop);
    addRadio(group, b);
    return group;
}

UpDown* TSettingsTable::addUpDown(QGridLayout* grid, int row, int col, const char* name,
                                  const QString& caption, int min, int max, int increment,
                                  const TBinding& b, Format format, TScale scale,
                                  const char* textSuffix)
{
    auto* box = new QGroupBox(caption, grid->parentWidget());
    auto* l = new QHBoxLayout(box);
    auto* text = new QLabel(box);
    QString textName = name;
    textName.replace("_UD", textSuffix);
    text->setObjectName(textName);
    text->setFont(fixedFont());
    text->setMinimumWidth(text->fontMetrics().horizontalAdvance(QString(10, 'W')));
    auto* updown = new UpDown(box);
    updown->setObjectName(name);
    updown->setRange(min, max);
    updown->setIncrement(increment);
    l->addWidget(text);
    l->addWidget(updown);
    l->addStretch(1);
    grid->addWidget(box, row, col, Qt::AlignTop);
    addUpDown(updown, text, b, format, scale);
    return updown;
}

void TSettingsTable::connectAll()
{
    if (m_connected)
        return;
    m_connected = true;
    for (int index = 0; index < m_controls.size(); ++index) {
        const TControl& c = m_controls[index];
        if (c.bind.code < 0)
            continue; // shows its word only
        auto handler = [this, index] { controlChanged(index); };
        switch (c.kind) {
        case TKind::Combo:
            connect(static_cast<QComboBox*>(c.widget), &QComboBox::activated, this, handler);
            break;
        case TKind::Radio:
            connect(static_cast<RadioGroup*>(c.widget), &RadioGroup::clicked, this, handler);
            break;
        case TKind::Spin:
            connect(static_cast<UpDown*>(c.widget), &UpDown::clicked, this, handler);
            break;
        case TKind::Check:
            connect(static_cast<QAbstractButton*>(c.widget), &QAbstractButton::clicked, this,
                    handler);
            break;
        case TKind::Text:
            connect(static_cast<QLineEdit*>(c.widget), &QLineEdit::textEdited, this, handler);
            break;
        }
    }
}

qint32 TSettingsTable::read(int word) const
{
    return m_hooks.read ? m_hooks.read(word) : 0;
}

int TSettingsTable::indexOf(const QWidget* widget) const
{
    for (int i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i].widget == widget)
            return i;
    }
    return -1;
}

void TSettingsTable::controlChanged(int index)
{
    if (m_filling || index < 0 || index >= m_controls.size())
        return;
    const TControl& c = m_controls[index];
    if (c.bind.code < 0)
        return;
    if (c.kind == TKind::Text) {
        const QString text = static_cast<QLineEdit*>(c.widget)->text();
        if (m_hooks.storeText)
            m_hooks.storeText(c.bind.word, text);
        if (m_hooks.sendText)
            m_hooks.sendText(c.bind.code, c.bind.b3);
    } else {
        qint32 value = 0;
        switch (c.kind) {
        case TKind::Combo:
            value = static_cast<QComboBox*>(c.widget)->currentIndex();
            break;
        case TKind::Radio:
            value = static_cast<RadioGroup*>(c.widget)->itemIndex();
            break;
        case TKind::Spin: {
            const int position = static_cast<UpDown*>(c.widget)->position();
            value = c.scale.toValue ? c.scale.toValue(position) : position;
            break;
        }
        case TKind::Check: {
            const bool checked = static_cast<QAbstractButton*>(c.widget)->isChecked();
            const qint32 mask = qint32(1u << (c.bit & 31));
            switch (c.bitMode) {
            case TBit::Whole:
                value = checked ? 1 : 0;
                break;
            case TBit::Toggle:
                value = checked ? (read(c.bind.word) | mask) : (read(c.bind.word) & ~mask);
                break;
            case TBit::Only:
                value = mask;
                break;
            }
            break;
        }
        case TKind::Text:
            break;
        }
        if (value < 0 && (c.kind == TKind::Combo || c.kind == TKind::Radio))
            return; // nothing chosen: no value to send
        if (m_hooks.store)
            m_hooks.store(c.bind.word, value);
        if (c.text && c.format)
            c.text->setText(c.format(value));
        // Every bit of a mask shows the stored word: a sender chosen alone
        // clears any other the unit had reported.
        if (c.kind == TKind::Check && c.bitMode != TBit::Whole)
            for (int i = 0; i < m_controls.size(); ++i)
                if (m_controls[i].kind == TKind::Check && m_controls[i].bind.word == c.bind.word)
                    fillControl(i);
        if (m_hooks.send)
            m_hooks.send(c.bind.code, c.bind.b3);
    }
    if (m_hooks.raise) {
        for (int n = 0; n < 16; ++n) {
            if (c.bind.flags & (1u << n))
                m_hooks.raise(n);
        }
    }
}

void TSettingsTable::fillControl(int index)
{
    const TControl& c = m_controls[index];
    FillGuard guard(m_filling);
    if (c.kind == TKind::Text) {
        auto* edit = static_cast<QLineEdit*>(c.widget);
        const QString text = m_hooks.readText ? m_hooks.readText(c.bind.word) : QString();
        if (edit->text() != text)
            edit->setText(text); // the edit's maximum length cuts a longer one
        return;
    }
    const qint32 value = read(c.bind.word);
    switch (c.kind) {
    case TKind::Combo: {
        auto* combo = static_cast<QComboBox*>(c.widget);
        // A value past the list shows blank rather than another entry.
        combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
        break;
    }
    case TKind::Radio:
        static_cast<RadioGroup*>(c.widget)->setItemIndex(value);
        break;
    case TKind::Spin: {
        const int position = c.scale.toPosition ? c.scale.toPosition(value) : int(value);
        static_cast<UpDown*>(c.widget)->setPosition(position);
        // From the word, not the clamped position: the text tells what the unit holds.
        if (c.text && c.format)
            c.text->setText(c.format(value));
        break;
    }
    case TKind::Check: {
        const bool on = c.bitMode == TBit::Whole ? value != 0 : ((value >> (c.bit & 31)) & 1) != 0;
        static_cast<QAbstractButton*>(c.widget)->setChecked(on);
        break;
    }
    case TKind::Text:
        break;
    }
}

void TSettingsTable::fill()
{
    FillGuard guard(m_filling);
    for (int i = 0; i < m_controls.size(); ++i)
        fillControl(i);
}

void TSettingsTable::setEditable(bool editable)
{
    for (const TControl& c : m_controls) {
        if (c.bind.code >= 0)
            c.widget->setEnabled(editable);
    }
}
