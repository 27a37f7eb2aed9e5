#pragma once

#include "protocol/rack/RackData.h"
#include "protocol/rack/RackDecoder.h"

#include <span>

// Each module's menu as data: its pages and the rows that say how a value key
// changes an item. The panels' menu models, the rack decoder's menu echo and
// the simulated modules read the same tables, so a key and the module's echo
// of it always leave the same state.
//
// These modules show their items in their own order: a menu position is the
// item number itself.

// A page of items first..last. The first page (the measurement page) has no
// entry item; every other page is opened by key 3 on its entry item, which
// lies on the first page, and is left by key 3 on its own last item (its
// exit), which returns to that entry item. selectPage is the number the
// module's select-page command carries for it.
struct TMenuPage
{
    int first;
    int last;
    int entryItem;  // -1 on the first page
    int selectPage; // 0 on the first page
};

enum class TValueKind
{
    Step,          // low..high by step; a key at a bound sends the setting unchanged
    Cyclic,        // low..high by step, wrapping
    CyclicClears,  // as Cyclic, and sets the other item (timeModeItem) to 0
    Boolean,       // sets or clears bit and the Boolean copy; sends 1 or 0
    SendOnly,      // up sends 1, down nothing (a save)
    SendBoth,      // up sends 1, down sends 0, nothing stored (load / save pairs)
    UpOnlyBoolean, // up sets the bit and sends 1; down does nothing
    Hold,          // the hold count low..high; 0 on the wire is hold off (external)
    TimeMode,      // Boolean that also turns hold-off into hold-external
    Custom,        // the module's own rule (its menu model's hook)
};

struct TValueRow
{
    int item;
    TValueKind kind;
    int low = 0;
    int high = 0;
    int step = 1;
    quint16 bit = 0;
    int bitWord = 0; // 0 SettingsBits, 1 SettingsBits2
    // Hold rows: the time-mode item whose Boolean copy allows hold off.
    // CyclicClears rows: the item set to 0 with every change.
    int timeModeItem = -1;
    // A state in which the item is locked: its keys change and send nothing.
    bool (*locked)(const TRackModuleState&) = nullptr;
};

// A module's whole menu.
struct TModuleMenuTable
{
    std::span<const TMenuPage> pages;
    std::span<const TValueRow> rows;
};

// The row of the item, or nullptr.
const TValueRow* FindValueRow(const TModuleMenuTable& table, int item);
// The page whose range holds the item, or -1.
int MenuPageOf(const TModuleMenuTable& table, int item);
// The page the entry item opens, or -1.
int MenuPageEnteredBy(const TModuleMenuTable& table, int item);

const TModuleMenuTable& Nuva1MenuTable();

// Varn1: the remote line (item 21) is shown from bit 0x08 of the settings
// word and has no key.
constexpr int Varn1ModulationTypeItem = 12; // 0 FM, 1 RDS
constexpr quint16 Varn1CalibratorBit = 0x80;
constexpr quint16 Varn1RemoteBit = 0x08;
const TModuleMenuTable& Varn1MenuTable();

// Gry230 and Gry250: status bit 6 is the module busy saving or loading.
constexpr quint8 GryBusyBit = 0x40;
constexpr quint16 Gry230FlagBit = 0x10; // items 7..15
const TModuleMenuTable& Gry230MenuTable();
// Gry250: the carrier flags are the status bits its carrier lamps show; the
// remote line has no key and is shown from bit 0x08.
constexpr quint8 Gry250SapCarrierBit = 0x01;
constexpr quint8 Gry250ProCarrierBit = 0x04;
constexpr quint16 Gry250RemoteBit = 0x08;
const TModuleMenuTable& Gry250MenuTable();

// Pelo1 and Pelo2 (the AM rack).
const TModuleMenuTable& Pelo1MenuTable();
// Pelo2: item 49 is the frequency in kHz (its own rule, by frequency mode
// item 50 and increment item 51).
constexpr int Pelo2FrequencyItem = 49;
constexpr int Pelo2FrequencyModeItem = 50;
constexpr int Pelo2IncrementItem = 51;
constexpr int Pelo2MinFrequency = 150;
constexpr int Pelo2MaxFrequency = 30000;
const TModuleMenuTable& Pelo2MenuTable();

// A numeric setting on a module's settings page: the word at offset from the
// page's first word (the word that must be 0), the high byte in the next word
// when wide. The page carries the module's numeric items in item order, each
// as one word or, past 255, as two (low first), for as many words as its check
// covers; items past the end are not on the page and are learnt from the
// module's echo only. The decoder seeds from this list and the simulated rack
// writes its pages from it, so the two cannot disagree.
struct TPageSetting
{
    int item;
    int offset;
    bool wide;
};

// Nuva1 and Varn1 (FM): after the current item and the bit word; Gry230,
// Gry250, Pelo1 and Pelo2: after the main setting and the two bit words. The
// Kelb1 and Lyn1 pages have their own lists (RackRecordLayout.h): empty here.
std::span<const TPageSetting> RackSettingsPageWords(TRackModule module);

// The menu table of a module whose menu positions are its item numbers;
// nullptr for the Kelb1 and Lyn1, which keep their own.
const TModuleMenuTable* RackMenuTable(TRackModule module);

// Whether the module's settings page carries the setting a row changes: a
// numeric setting when it is among the page's words, a Boolean when its bit
// word is on the page (FM pages carry one bit word, TV and AM pages two). A
// row that stores nothing is always true.
bool RackPageCarries(TRackModule module, const TValueRow& row);
