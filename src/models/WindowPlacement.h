#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where new windows open, as plain geometry over the screen's available area
// (all rectangles in screen coordinates, frames included).

// The top-left of a new rack window of the given outer width. The new window
// may grow to the foot of the screen, so a place is free when the whole
// column below it is clear; its own caption and first panel (headHeight)
// must fit on the screen. Tried first: a place clear of everything in whole
// (the main window, the rack windows open, at their full size); then one
// clear of heads only (the main window's list, and of each rack window its
// caption and first panel), so a rack may cover the lower panels of another
// but never what names it; among the free places the highest, then the
// leftmost. Where none is free, the windows cascade from the top-left of
// the area, still within it.
QPoint PlaceRackWindow(const QRect& available, const QList<QRect>& whole,
                       const QList<QRect>& heads, int width, int headHeight, int cascade);

// The top-left of a window that has no place of its own, near the rack
// window that opened it: to its right, else to its left, else over it a
// little down and right; nth (0, 1, ...) steps each further window down and
// right so they do not open exactly on one another. Always within available.
QPoint PlaceNearRack(const QRect& available, const QRect& rack, const QSize& size, int nth);
