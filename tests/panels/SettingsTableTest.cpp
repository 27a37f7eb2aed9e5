#include "panels/SettingsTable.h"
#include "widgets/UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <gtest/gtest.h>
#include <map>

namespace {

QString tenths(qint32 v)
{
    return QString::number(v / 10.0, 'f', 1);
}

// A table over a word map whose hooks write down what happens, in order.
class SettingsTableTest : public ::testing::Test
{
protected:
    SettingsTableTest()
    {
        TSettingsTable::THooks h;
        h.read = [this](int word) { return words[word]; };
        h.store = [this](int word, qint32 v) {
            words[word] = v;
            journal << QString("store %1=%2").arg(word).arg(v);
        };
        h.send = [this](int code, quint8 b3) {
            journal << QString("send %1/%2 (%3)").arg(code).arg(b3).arg(words[code - 100]);
        };
        h.readText = [this](int word) { return texts[word]; };
        h.storeText = [this](int word, const QString& t) {
            texts[word] = t;
            journal << "text " + t;
        };
        h.sendText = [this](int code, quint8) { journal << QString("sendText %1").arg(code); };
        h.raise = [this](int flag) { journal << QString("flag %1").arg(flag); };
        table = new TSettingsTable(&owner, filling, h);
    }

    QWidget owner;
    bool filling = false;
    std::map<int, qint32> words;
    std::map<int, QString> texts;
    QStringList journal;
    TSettingsTable* table = nullptr;
};

TEST_F(SettingsTableTest, AChangeStoresThenSendsThenRaisesItsFlags)
{
    auto* combo = new QComboBox(&owner);
    combo->addItems({"a", "b", "c"});
    auto* updown = new UpDown(&owner);
    updown->setRange(0, 20);
    auto* text = new QLabel(&owner);
    table->addCombo(combo, {1, 101, 2, quint16(1u << 3)});
    table->addUpDown(updown, text, {2, 102}, tenths,
                     {[](qint32 v) { return int(v / 2); }, [](int p) { return p * 2; }});
    words[2] = 7;
    table->fill();
    EXPECT_EQ(updown->position(), 3);
    EXPECT_EQ(text->text(), "0.7") << "the text tells the word, not the position";
    EXPECT_TRUE(journal.isEmpty()) << "a fill sends nothing";
    table->connectAll();

    combo->setCurrentIndex(2);
    emit combo->activated(2);
    updown->findChild<QToolButton*>("Up")->click();
    EXPECT_EQ(journal, (QStringList{"store 1=2", "send 101/2 (2)", "flag 3", "store 2=8",
                                    "send 102/0 (8)"}));
    EXPECT_EQ(text->text(), "0.8");

    // Nothing while the owner fills, and nothing from a list with no choice.
    journal.clear();
    filling = true;
    updown->findChild<QToolButton*>("Up")->click();
    filling = false;
    combo->setCurrentIndex(-1);
    emit combo->activated(-1);
    EXPECT_TRUE(journal.isEmpty());
}

TEST_F(SettingsTableTest, CheckBoxesKeepAWordABitOrOneBitAlone)
{
    auto* whole = new QCheckBox(&owner);
    auto* toggle = new QCheckBox(&owner);
    auto* one = new QCheckBox(&owner);
    auto* other = new QCheckBox(&owner);
    table->addCheck(whole, {3, 103});
    table->addCheck(toggle, {4, 104}, TSettingsTable::TBit::Toggle, 2);
    table->addCheck(one, {5, 105}, TSettingsTable::TBit::Only, 1);
    table->addCheck(other, {5, 105}, TSettingsTable::TBit::Only, 4);
    words[4] = 0x03;
    words[5] = 0x12; // two bits, as a unit may report
    table->fill();
    EXPECT_TRUE(one->isChecked());
    EXPECT_TRUE(other->isChecked());
    table->connectAll();

    whole->click();
    toggle->click();
    one->click(); // unticked by the click, yet the mask becomes its bit
    EXPECT_EQ(words[3], 1);
    EXPECT_EQ(words[4], 0x07);
    EXPECT_EQ(words[5], 0x02);
    EXPECT_FALSE(other->isChecked()) << "the other bit of the mask follows the word";
    EXPECT_TRUE(one->isChecked()) << "and so does its own";
    toggle->click();
    EXPECT_EQ(words[4], 0x03);
}

TEST_F(SettingsTableTest, TextEditsTakePrintableLatin1OnlyAndSendEachKeystroke)
{
    auto* edit = new QLineEdit(&owner);
    table->addText(edit, {7, 1030}, 5);
    texts[7] = "toolongtext";
    table->fill();
    EXPECT_EQ(edit->text(), "toolo") << "cut to the edit's length";
    EXPECT_TRUE(journal.isEmpty());
    table->connectAll();

    edit->clear();
    QTest::keyClicks(edit, "ab");
    EXPECT_EQ(journal, (QStringList{"text a", "sendText 1030", "text ab", "sendText 1030"}));
    journal.clear();
    edit->insert("x\ny");
    edit->insert(QString::fromUtf8("\u0100"));
    EXPECT_EQ(edit->text(), "ab");
    EXPECT_TRUE(journal.isEmpty());

    EXPECT_TRUE(IsPrintableLatin1(QString::fromLatin1("Caf\xe9 \xa0~")));
    for (const char* bad : {"\t", "\x7f", "\r"})
        EXPECT_FALSE(IsPrintableLatin1(QString::fromLatin1(bad))) << int(bad[0]);
    EXPECT_FALSE(IsPrintableLatin1(QString(QChar(0x9F))));
}

TEST_F(SettingsTableTest, ShowOnlyControlsStayAsTheOwnerLeftThem)
{
    auto* shows = new QComboBox(&owner);
    auto* edits = new QComboBox(&owner);
    shows->addItems({"a", "b"});
    edits->addItems({"a", "b"});
    table->addCombo(shows, {8});
    table->addCombo(edits, {9, 109});
    shows->setEnabled(false);
    table->setEditable(false);
    EXPECT_FALSE(edits->isEnabled());
    table->setEditable(true);
    EXPECT_TRUE(edits->isEnabled());
    EXPECT_FALSE(shows->isEnabled());
    table->connectAll();
    emit shows->activated(1);
    EXPECT_TRUE(journal.isEmpty());
}

} // namespace
