#pragma once

#include <QIcon>
#include <QString>

// The glyphs of the HD program buttons: what a program is to its decoder.
enum class THdGlyph
{
    Yellow, // available
    Black,  // not available
    Green,  // selected, and the decoder plays it
    Red,    // selected, but the decoder does not report it yet
};

// The glyph's name as the buttons carry it in their "glyph" property.
QString HdGlyphName(THdGlyph g);

// The glyph at 14 pixels (the panel) or 20 pixels (program select), from the
// program's bitmap resources. Each set is loaded once, on first use, and kept
// for the rest of the program, so no window's closing can take images another
// connection's window still shows.
const QIcon& HdGlyphIcon(THdGlyph g, int pixels);

// Gives a program button its glyph (icon and property) when it differs.
class QAbstractButton;
void SetHdGlyph(QAbstractButton* button, THdGlyph g, int pixels);

// Which glyph each of the eight program buttons of one decoder shows: yellow
// where the program is available, black where not; the selected program
// (selection word 1, 2, 4 ... 128) green when the decoder reports it as its
// current program, red until then. Any other selection word marks nothing.
struct THdProgramGlyphs
{
    THdGlyph glyph[8];
    bool available[8];
};
THdProgramGlyphs HdProgramGlyphs(qint32 programsMask, qint32 currentProgram, qint32 selection);
