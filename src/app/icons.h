#pragma once

#include <QIcon>
#include <QPixmap>

namespace vaziduvu {

// The toolbar glyphs of the main window.
enum class ToolbarGlyph : int {
    None = -1,  // a command without a toolbar button
    Open,
    Save,
    About,
    Help,
    AddColumn,
    ClearColumn,
    AddRow,
    CopyRow,
    NewProject,
    ShowComment,
    EditComment,
    Search,
    Undo,
    Redo,
    DeleteRows,
    DeleteColumn,
    CheckLog,
};

// The glyph's icon (the desktop theme's where it has one); an empty icon for
// None.
QIcon toolbarGlyph(ToolbarGlyph glyph);

// The picture shown while no log is open.
QPixmap startupPicture(const QSize &size);

// The program's icon.
QIcon programIcon();

}  // namespace vaziduvu
