#pragma once

#include <QIcon>
#include <QPixmap>

namespace vaziduvu {

// The toolbar glyphs of the main window, by image index:
// 0 open, 1 save, 2 about, 3 help, 4 add column, 5 clear column, 6 add row,
// 7 copy row, 8 new project, 9 show comment, 10 edit comment, 11 search,
// 12 undo, 13 redo, 14 delete rows, 15 delete column, 16 check log.
QIcon toolbarGlyph(int image);

// The picture shown while no log is open.
QPixmap startupPicture(const QSize &size);

// The program's icon.
QIcon programIcon();

}  // namespace vaziduvu
