#include "models/RackMenuKit.h"

#include <algorithm>

TPagedMenu::TPagedMenu(int positions, int items)
    : m_items(std::size_t(std::max(positions, 1)), 0)
    , m_positions(std::size_t(std::max(items, 1)), 0)
{}

int TPagedMenu::addPage(int first, std::initializer_list<int> items)
{
    int last = first;
    int position = first;
    for (int item : items) {
        if (position >= positionCount())
            break;
        m_items[std::size_t(position)] = item;
        if (item >= 0 && item < int(m_positions.size()))
            m_positions[std::size_t(item)] = position;
        last = position;
        ++position;
    }
    m_pages.push_back({first, last});
    return int(m_pages.size()) - 1;
}

void TPagedMenu::insertAtPageEnd(int page, std::initializer_list<int> items)
{
    if (page < 0 || page >= pageCount())
        return;
    Page& p = m_pages[std::size_t(page)];
    // The page may grow up to the next page's first position or the table's end.
    int limit = positionCount() - 1;
    for (const Page& other : m_pages) {
        if (other.first > p.first)
            limit = std::min(limit, other.first - 1);
    }
    for (int item : items) {
        if (p.last + 1 > limit)
            return;
        const int moved = m_items[std::size_t(p.last)];
        m_items[std::size_t(p.last)] = item;
        if (item >= 0 && item < int(m_positions.size()))
            m_positions[std::size_t(item)] = p.last;
        ++p.last;
        m_items[std::size_t(p.last)] = moved;
        if (moved >= 0 && moved < int(m_positions.size()))
            m_positions[std::size_t(moved)] = p.last;
    }
}

int TPagedMenu::itemAt(int position) const
{
    if (position < 0 || position >= positionCount())
        return 0;
    return m_items[std::size_t(position)];
}

int TPagedMenu::positionOf(int item) const
{
    if (item < 0 || item >= int(m_positions.size()))
        return 0;
    return m_positions[std::size_t(item)];
}

int TPagedMenu::pageFirst(int page) const
{
    return page >= 0 && page < pageCount() ? m_pages[std::size_t(page)].first : 0;
}

int TPagedMenu::pageLast(int page) const
{
    return page >= 0 && page < pageCount() ? m_pages[std::size_t(page)].last : 0;
}

int TPagedMenu::pageOf(int position) const
{
    for (int i = 0; i < pageCount(); ++i) {
        if (position >= m_pages[std::size_t(i)].first && position <= m_pages[std::size_t(i)].last)
            return i;
    }
    return -1;
}

int TPagedMenu::next(int page, int position) const
{
    const int n = position + 1;
    return n > pageLast(page) ? pageFirst(page) : n;
}

int TPagedMenu::previous(int page, int position) const
{
    const int n = position - 1;
    return n < pageFirst(page) ? pageLast(page) : n;
}

TKey3Action RackKey3Action(int itemShown, std::initializer_list<int> pageItems, int accessLevel)
{
    if (std::find(pageItems.begin(), pageItems.end(), itemShown) != pageItems.end())
        return TKey3Action::Select;
    return RackMayChange(accessLevel) ? TKey3Action::ValueUp : TKey3Action::Nothing;
}
