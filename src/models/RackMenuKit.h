#pragma once

#include <QString>
#include <array>
#include <initializer_list>
#include <vector>

// The widget-free pieces every rack-module panel's menu is made of. A module
// shows one menu item at a time on its LCD line; the panel keeps the module's
// menu order as positions, grouped in pages (the measurement page and the
// settings page), and tells the module which position to show.

// A module's menu order: the item at each position, the position of each item,
// and the pages as position ranges. Every lookup is bounded: an item or a
// position outside the tables reads as position 0 or item 0, since a module
// may echo any byte as its current item.
class TPagedMenu
{
public:
    // positions: how many menu positions there are; items: how many item
    // numbers the reverse table covers.
    TPagedMenu(int positions, int items);

    // Adds a page that starts at position first and holds items in order.
    // Returns the page's number (0, 1, ...).
    int addPage(int first, std::initializer_list<int> items);

    // Puts the items at the page's last position and moves the page's last
    // item (its exit or page-change item) behind them. Items that would run
    // past the table or into the next page are left out, so a table can never
    // be overrun.
    void insertAtPageEnd(int page, std::initializer_list<int> items);

    int itemAt(int position) const;
    int positionOf(int item) const;
    int pageCount() const { return int(m_pages.size()); }
    int pageFirst(int page) const;
    int pageLast(int page) const;
    // The page holding the position, or -1.
    int pageOf(int position) const;

    // The position after / before position within page, wrapping at its ends.
    int next(int page, int position) const;
    int previous(int page, int position) const;

    int positionCount() const { return int(m_items.size()); }

private:
    struct Page
    {
        int first;
        int last;
    };
    std::vector<int> m_items;     // by position
    std::vector<int> m_positions; // by item
    std::vector<Page> m_pages;
};

// Where the panel's menu stands: the page being stepped through and the
// position to come back to when the settings page is left. One per panel.
struct TMenuCursor
{
    int ActivePage = 0;
    int MenuPosition = 0;
    int ReturnPosition = 0;
};

// What key 3 (upper right) does: it acts on the item shown when it was
// pressed. On a page item (enter or leave the settings page) it only selects;
// on any other item it raises the value, and only at operator level or above.
enum class TKey3Action
{
    Select,
    ValueUp,
    Nothing,
};
TKey3Action RackKey3Action(int itemShown, std::initializer_list<int> pageItems, int accessLevel);

// Whether the access level may change a module's settings (operator or above).
inline bool RackMayChange(int accessLevel)
{
    return accessLevel >= 2;
}

// A code-to-text lookup that never reads outside its table.
template <std::size_t N>
QString BoundedText(const char* const (&table)[N], qint64 code, const char* fallback)
{
    if (code < 0 || code >= qint64(N))
        return QString::fromLatin1(fallback);
    return QString::fromLatin1(table[code]);
}

// A code-to-number lookup that never reads outside its table; found is false
// when the code has no entry.
template <std::size_t N>
int BoundedValue(const int (&table)[N], qint64 code, bool* found)
{
    const bool ok = code >= 0 && code < qint64(N);
    if (found)
        *found = ok;
    return ok ? table[code] : 0;
}

// The red, yellow and green lamp pairs of the module panels, as RGB.
struct TLampPair
{
    unsigned dark;
    unsigned bright;
};
inline constexpr TLampPair RedLampPair{0x800000, 0xFF0000};
inline constexpr TLampPair YellowLampPair{0x808000, 0xFFFF00};
inline constexpr TLampPair GreenLampPair{0x008000, 0x00FF00};
