#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, all drawn for it: the 16 x 16 glyphs of the toolbar and the
// tree, the application icon and the background of the document area.
enum GlyphIndex {
    GlyphNew = 0,
    GlyphOpen = 1,
    GlyphPrint = 2,
    GlyphSave = 3,
    GlyphWrite = 5,
    GlyphHelp = 6,
    GlyphRead = 7,
    GlyphTreeRoot = 9,
    GlyphTreeNode = 10,
    GlyphTreeNodeSelected = 11,
};

// One glyph of the image list, 16 x 16; an empty pixmap for an index without one.
QPixmap ImageListGlyph(int index);
// A tree node's icon: glyph 10, and glyph 11 while the node is selected.
QIcon TreeNodeIcon();
QIcon ApplicationIcon();
// The tile the document area is painted with.
QPixmap BackgroundPicture();
