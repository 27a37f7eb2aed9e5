#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QAbstractButton;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QTabWidget;
class QWidget;
class RadioGroup;
class UpDown;

// An up-down's position from the stored value and back; both null: the same.
struct TSettingScale
{
    int (*toPosition)(qint32 value) = nullptr;
    qint32 (*toValue)(int position) = nullptr;
};

// The FM tuning up-down of a settings page: the value in tenths of a MHz,
// position p at 87.5 MHz + p * 200 kHz (875 + 2p). A value off the grid
// takes the nearer step, half to even.
extern const TSettingScale FmTuningScale;
// The RF attenuator up-down: the value counts steps of attenuation down from
// the top of the range (63 - position).
extern const TSettingScale RfAttenuatorScale;

// What a settings control edits and what it asks for.
struct TSettingBinding
{
    int word = 0;      // the owner's index of the value (a string's id for a text edit)
    int code = -1;     // the request id; -1: the control only shows its word
    quint8 b3 = 0;     // the fourth parameter byte
    quint16 flags = 0; // page flags raised after a change (bit n = flag n)
};

// The editing controls of a settings window or of a frame inside one, each
// bound to one word of a working copy. A user's change stores the value
// first, redraws its text, then asks for the one request that carries it and
// raises the page flags named for it; a refill copies every word into its
// control under the owner's Filling guard and asks for nothing. The table
// knows no instrument: the owner's hooks read and store the words and send
// the requests, so one table serves every family and every embedded frame.
class TSettingsTable : public QObject
{
    Q_OBJECT
public:
    enum class TKind
    {
        Combo, // QComboBox: the item index
        Radio, // RadioGroup: the item index
        Spin,  // UpDown with a text beside it
        Check, // QAbstractButton: 0/1, or one bit of a mask
        Text,  // QLineEdit: a string of the working copy
    };
    // How a checkable button and its word relate.
    enum class TBit
    {
        Whole,  // the word is 1 when checked, else 0
        Toggle, // the button checks or clears its bit, the others stay
        Only,   // the button's bit alone: the mask becomes 1 << bit
    };

    using Format = QString (*)(qint32 value);
    using TScale = TSettingScale;
    using TBinding = TSettingBinding;

    struct TControl
    {
        TKind kind;
        QWidget* widget;
        QLabel* text; // beside an up-down
        TBinding bind;
        Format format = nullptr;
        TScale scale{};
        int bit = 0;
        TBit bitMode = TBit::Whole;
    };

    // What the owner provides. read/store reach the numeric words, send asks
    // for a word's request; readText/storeText/sendText the same for text
    // edits; raise sets one page flag. Unset hooks do nothing (read gives 0).
    struct THooks
    {
        std::function<qint32(int word)> read;
        std::function<void(int word, qint32 value)> store;
        std::function<void(int code, quint8 b3)> send;
        std::function<QString(int word)> readText;
        std::function<void(int word, const QString& text)> storeText;
        std::function<void(int code, quint8 b3)> sendText;
        std::function<void(int flag)> raise;
    };

    // filling is the owner's guard: a change made while it is set is not the
    // user's and sends nothing. The owner outlives the table (its parent).
    TSettingsTable(QObject* parent, bool& filling, THooks hooks);

    // ---- Controls the owner already laid out --------------------------------
    int addCombo(QComboBox* combo, const TBinding& b);
    int addRadio(RadioGroup* group, const TBinding& b);
    int addUpDown(UpDown* updown, QLabel* text, const TBinding& b, Format format,
                  TScale scale = {});
    int addCheck(QAbstractButton* button, const TBinding& b, TBit mode = TBit::Whole, int bit = 0);
    // The edit gets its maximum length and the printable Latin-1 validator.
    int addText(QLineEdit* edit, const TBinding& b, int maxLength);

    // ---- Controls built into a grid cell --------------------------------------
    // A combo box in a captioned group box.
    QComboBox* addCombo(QGridLayout* grid, int row, int col, const char* name,
                        const QString& caption, const QStringList& items, const TBinding& b);
    // A caption label in column 0 and the combo box in column 1 of the row.
    QComboBox* addComboRow(QGridLayout* grid, int row, const char* name, const QString& caption,
                           const QStringList& items, const TBinding& b);
    RadioGroup* addRadio(QGridLayout* grid, int row, int col, const char* name,
                         const QString& caption, const QStringList& items, const TBinding& b,
                         int columns = -1);
    // An up-down and its text ("<name>" with "_UD" turned into textSuffix) in
    // a captioned group box.
    UpDown* addUpDown(QGridLayout* grid, int row, int col, const char* name, const QString& caption,
                      int min, int max, int increment, const TBinding& b, Format format,
                      TScale scale = {}, const char* textSuffix = "_LD");

    // Binds every control to its handler through the signals only a user's
    // action sends (activated, clicked, textEdited). Call once, after the
    // first fill.
    void connectAll();
    // Copies every word into its control, under the Filling guard.
    void fill();
    void fillControl(int index);
    // Enables or disables every control that sends (show-only ones stay as they are).
    void setEditable(bool editable);

    const QList<TControl>& controls() const { return m_controls; }
    TControl& control(int index) { return m_controls[index]; }
    int indexOf(const QWidget* widget) const;
    bool filling() const { return m_filling; }

    // The handler of control index: store, text, send, flags.
    void controlChanged(int index);

private:
    int add(const TControl& c);
    qint32 read(int word) const;

    bool& m_filling;
    THooks m_hooks;
    QList<TControl> m_controls;
    bool m_connected = false;
};

// printable Latin-1 only (0x20..0x7E, 0xA0..0xFF): a text that becomes part of
// a CR-terminated request line can carry no line end and no character the line
// cannot hold.
bool IsPrintableLatin1(const QString& text);

// The page book of a settings window ("PageControl1"), filling the window.
QTabWidget* AddSettingsBook(QWidget* window);

// A page of a settings book, named for its tab.
QWidget* AddSettingsPage(QTabWidget* book, const char* name, const QString& caption);
