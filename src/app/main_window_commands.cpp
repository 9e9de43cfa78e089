// The window's commands: one table of every command (its action's name,
// text, hint, glyph, keys and slot), the menus and the toolbar built from it,
// and switching the commands with the document.
#include "app/icons.h"
#include "app/main_window.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QToolBar>
#include <QUndoStack>

#include <array>
#include <initializer_list>

namespace vaziduvu {

namespace {

using Command = MainWindow::Command;

// The commands a document switches on and off; the others are always on
// (Open, New, Exit, the toolbar's About and Help, the history's own).
constexpr Command kDocumentCommands[] = {
    Command::SaveAs,        Command::CloseCurrent,   Command::AddColumn,
    Command::ClearColumn,   Command::AddCopiedRow,   Command::AddBlankRow,
    Command::Search,        Command::FindNext,       Command::ShowComment,
    Command::EditComment,   Command::Font,           Command::SyntaxHighlighting,
    Command::OmitEmptyTags, Command::AboutMenuEntry, Command::HelpMenuEntry,
    Command::DeleteRows,    Command::DeleteColumn,   Command::CheckLog,
    Command::ExportAdx,     Command::ExportCsv,      Command::ExportCabrillo,
    Command::Filter,        Command::SortLog,        Command::FindDuplicates,
    Command::AppendLog,
};

}  // namespace

QAction *MainWindow::action(Command command) const
{
    return actions_[static_cast<size_t>(command)];
}

void MainWindow::createActions()
{
    // One row per command. A command without a glyph has no toolbar button; the
    // keys are the usual ones of a desktop program, shown by the menus.
    struct CommandRow {
        Command command;
        const char *objectName;
        const char *text;  // the menu entry
        const char *hint;  // the toolbar's tooltip
        ToolbarGlyph glyph;
        QKeySequence keys;
        bool checkable;
        void (MainWindow::*slot)();
    };

    // clang-format off
    static const CommandRow kCommandTable[] = {
        {Command::Open, "openAction", "&Open", "Open a file", ToolbarGlyph::Open,
         QKeySequence::Open, false, &MainWindow::openLog},
        {Command::New, "newAction", "&New", "Create a new project (\".adi \") ", ToolbarGlyph::NewProject,
         QKeySequence::New, false, &MainWindow::newProject},
        {Command::SaveAs, "saveAsAction", "Save &As", "Save to a new file", ToolbarGlyph::Save,
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), false, &MainWindow::saveAs},
        {Command::CloseCurrent, "closeCurrentAction", "&Close Current", nullptr, ToolbarGlyph::None,
         QKeySequence(Qt::CTRL | Qt::Key_W), false, &MainWindow::closeCurrent},
        {Command::Exit, "exitAction", "&Exit", nullptr, ToolbarGlyph::None,
         QKeySequence(Qt::CTRL | Qt::Key_Q), false, nullptr},
        {Command::AddColumn, "addColumnAction", "&Add Column", "Add a column", ToolbarGlyph::AddColumn,
         {}, false, &MainWindow::addColumn},
        {Command::ClearColumn, "clearColumnAction", "&Clear Column", "Clear a column",
         ToolbarGlyph::ClearColumn, {}, false, &MainWindow::clearColumn},
        {Command::AddCopiedRow, "addCopiedRowAction", "Add Row &Same As Previous",
         "Add a new row same as row before ...", ToolbarGlyph::CopyRow, {}, false,
         &MainWindow::addCopiedRow},
        {Command::AddBlankRow, "addBlankRowAction", "Add Blank &Row", "Add a new row",
         ToolbarGlyph::AddRow, {}, false, &MainWindow::addBlankRow},
        {Command::Search, "searchAction", "S&earch", "Search", ToolbarGlyph::Search,
         QKeySequence(Qt::CTRL | Qt::Key_F), false, &MainWindow::openSearch},
        {Command::FindNext, "findNextAction", "Find &Next", nullptr, ToolbarGlyph::None,
         QKeySequence(Qt::Key_F3), false, &MainWindow::findNext},
        {Command::ShowComment, "showCommentAction", "Show Comment",
         "Show the comment for the current column (F12)", ToolbarGlyph::ShowComment, {}, false,
         &MainWindow::showCellComment},
        {Command::EditComment, "editCommentAction", "Edit Comment", "Edit comment (F11)",
         ToolbarGlyph::EditComment, {}, false, &MainWindow::editCellComment},
        {Command::Font, "fontAction", "Fo&nt", nullptr, ToolbarGlyph::None, {}, false,
         &MainWindow::chooseGridFont},
        {Command::SyntaxHighlighting, "syntaxHighlightingAction", "Use Syntax Highlighting", nullptr,
         ToolbarGlyph::None, {}, true, &MainWindow::toggleSyntaxHighlighting},
        {Command::OmitEmptyTags, "omitEmptyTagsAction", "&Omit Empty Field Tags", nullptr,
         ToolbarGlyph::None, {}, true, &MainWindow::toggleOmitEmptyTags},
        {Command::CurrentAdif, "currentAdifAction", "Current ADIF (3.1.6)", nullptr,
         ToolbarGlyph::None, {}, true, &MainWindow::toggleCurrentAdif},
        {Command::ImportCabrillo, "importCabrilloAction", "&Cabrillo...", nullptr,
         ToolbarGlyph::None, {}, false, &MainWindow::importCabrillo},
        {Command::ImportAdx, "importAdxAction", "A&DX...", nullptr, ToolbarGlyph::None, {},
         false, &MainWindow::importAdx},
        {Command::ImportCsv, "importCsvAction", "C&SV...", nullptr, ToolbarGlyph::None, {},
         false, &MainWindow::importCsv},
        {Command::ExportAdx, "exportAdxAction", "A&DX...", nullptr, ToolbarGlyph::None, {},
         false, &MainWindow::exportAdx},
        {Command::ExportCsv, "exportCsvAction", "C&SV...", nullptr, ToolbarGlyph::None, {},
         false, &MainWindow::exportCsv},
        {Command::ExportCabrillo, "exportCabrilloAction", "&Cabrillo...", nullptr,
         ToolbarGlyph::None, {}, false, &MainWindow::exportCabrillo},
        {Command::About, "aboutAction", "&About", "About box", ToolbarGlyph::About, {}, false,
         &MainWindow::showAbout},
        // F1 belongs to the toolbar's Help, which is always on; the menu entry,
        // switched with the document, only shows the key.
        {Command::Help, "helpAction", "&Vaziduvu Help Contents", "Help file", ToolbarGlyph::Help,
         QKeySequence(Qt::Key_F1), false, &MainWindow::showHelp},
        {Command::AboutMenuEntry, "aboutMenuEntry", "&About", nullptr, ToolbarGlyph::About, {},
         false, &MainWindow::showAbout},
        {Command::HelpMenuEntry, "helpMenuEntry", "&Vaziduvu Help Contents\tF1", nullptr,
         ToolbarGlyph::Help, {}, false, &MainWindow::showHelp},
        {Command::DeleteRows, "deleteRowsAction", "&Delete Row(s)",
         "Delete the selected rows (contacts)", ToolbarGlyph::DeleteRows, {}, false,
         &MainWindow::deleteRows},
        {Command::DeleteColumn, "deleteColumnAction", "Delete Colu&mn", "Delete the current column",
         ToolbarGlyph::DeleteColumn, {}, false, &MainWindow::deleteColumn},
        {Command::CheckLog, "checkLogAction", "Chec&k Log", "Check every cell as an export would (F7)",
         ToolbarGlyph::CheckLog, QKeySequence(Qt::Key_F7), false, &MainWindow::checkWholeLog},
        {Command::Statistics, "statisticsAction", "&Statistics",
         "Contacts per band, mode and year, DXCC entities worked and confirmed (F8)",
         ToolbarGlyph::None, QKeySequence(Qt::Key_F8), false, &MainWindow::showStatistics},
        {Command::Filter, "filterAction", "&Filter",
         "Show only the contacts that hold a text, have problems or are duplicates",
         ToolbarGlyph::None, QKeySequence(Qt::CTRL | Qt::Key_L), false,
         &MainWindow::toggleFilterBar},
        {Command::SortLog, "sortLogAction", "Sort &Log...", "Reorder the contacts by columns",
         ToolbarGlyph::None, {}, false, &MainWindow::sortLog},
        {Command::FindDuplicates, "findDuplicatesAction", "Find Du&plicates",
         "List the contacts logged more than once", ToolbarGlyph::None, {}, false,
         &MainWindow::findDuplicates},
        {Command::AppendLog, "appendLogAction", "A&ppend Log...",
         "Read the contacts of another log into this one", ToolbarGlyph::None, {}, false,
         &MainWindow::appendLog},
    };
    // clang-format on

    for (const CommandRow &row : kCommandTable) {
        auto *made = new QAction(QString::fromLatin1(row.text), this);
        made->setObjectName(row.objectName);
        made->setIcon(toolbarGlyph(row.glyph));
        if (row.hint)
            made->setToolTip(QString::fromLatin1(row.hint));
        if (!row.keys.isEmpty())
            made->setShortcut(row.keys);
        made->setCheckable(row.checkable);
        // A checkable item toggles its own mark before the slot runs; these
        // slots decide after a question, so the mark is put back first.
        if (row.command == Command::SyntaxHighlighting || row.command == Command::OmitEmptyTags) {
            connect(made, &QAction::triggered, made, [made](bool checked) {
                QSignalBlocker block(made);
                made->setChecked(!checked);
            });
        }
        if (row.slot)
            connect(made, &QAction::triggered, this, row.slot);
        actions_[static_cast<size_t>(row.command)] = made;
    }
    connect(action(Command::Exit), &QAction::triggered, this, &MainWindow::close);
    actions_[static_cast<size_t>(Command::Undo)] = undoAction_;
    actions_[static_cast<size_t>(Command::Redo)] = redoAction_;

    action(Command::CurrentAdif)
        ->setStatusTip(
            QStringLiteral("Check and read logs by the vocabulary and rules of ADIF 3.1.6"));
    for (Command command :
         {Command::Filter, Command::SortLog, Command::FindDuplicates, Command::AppendLog})
        action(command)->setStatusTip(action(command)->toolTip());
    action(Command::ImportCabrillo)
        ->setStatusTip(QStringLiteral("Open a Cabrillo contest log (2.0 or 3.0) as a new log"));
    action(Command::ImportAdx)
        ->setStatusTip(QStringLiteral("Open an ADX (XML ADIF) log as a new log"));
    action(Command::ImportCsv)
        ->setStatusTip(QStringLiteral("Open a CSV table of contacts as a new log"));
}

void MainWindow::createMenus()
{
    auto menu = [this](const char *title, const char *name) {
        QMenu *made = menuBar()->addMenu(QString::fromLatin1(title));
        made->setObjectName(name);
        return made;
    };
    fileMenu_ = menu("&File", "fileMenu");
    addCommands(fileMenu_, {Command::Open, Command::New, Command::AppendLog, Command::SaveAs});
    // Export sits beside Save As: the same checks, other forms of the log.
    exportMenu_ = new QMenu(QStringLiteral("Expor&t"), fileMenu_);
    exportMenu_->setObjectName("exportMenu");
    addCommands(exportMenu_, {Command::ExportAdx, Command::ExportCsv, Command::ExportCabrillo});
    fileMenu_->addMenu(exportMenu_);
    addCommands(fileMenu_, {Command::CloseCurrent, Command::Exit});

    editMenu_ = menu("&Edit", "editMenu");
    addCommands(editMenu_,
                {Command::Undo, Command::Redo, Command::Separator, Command::AddColumn,
                 Command::ClearColumn, Command::Separator, Command::AddCopiedRow,
                 Command::AddBlankRow, Command::Search, Command::FindNext, Command::Separator,
                 Command::DeleteColumn, Command::DeleteRows, Command::CheckLog, Command::Separator,
                 Command::Filter, Command::SortLog, Command::FindDuplicates});

    viewMenu_ = menu("&View", "viewMenu");
    addCommands(viewMenu_, {Command::Statistics});

    formatMenu_ = menu("F&ormat", "formatMenu");
    addCommands(formatMenu_,
                {Command::Font, Command::SyntaxHighlighting, Command::OmitEmptyTags,
                 Command::Separator, Command::CurrentAdif});

    importMenu_ = menu("&Import", "importMenu");
    addCommands(importMenu_, {Command::ImportCabrillo, Command::ImportAdx, Command::ImportCsv});

    helpMenu_ = menu("&Help", "helpMenu");
    addCommands(helpMenu_, {Command::AboutMenuEntry, Command::Separator, Command::HelpMenuEntry});
}

void MainWindow::addCommands(QWidget *to, std::initializer_list<Command> commands)
{
    for (Command command : commands) {
        if (command == Command::Separator) {
            if (auto *menu = qobject_cast<QMenu *>(to))
                menu->addSeparator();
            else if (auto *bar = qobject_cast<QToolBar *>(to))
                bar->addSeparator();
            continue;
        }
        to->addAction(action(command));
    }
}

void MainWindow::createToolBar()
{
    addCommands(toolBar_,
                {Command::Open, Command::SaveAs, Command::AddColumn, Command::ClearColumn,
                 Command::AddBlankRow, Command::AddCopiedRow, Command::ShowComment,
                 Command::EditComment, Command::Search, Command::New, Command::Help,
                 Command::About});
    // The commands that came later follow, so the first buttons stay where
    // users know them.
    addCommands(toolBar_,
                {Command::Separator, Command::Undo, Command::Redo, Command::DeleteRows,
                 Command::DeleteColumn, Command::CheckLog});
}

void MainWindow::setDocumentCommandsEnabled(bool enabled)
{
    for (Command command : kDocumentCommands)
        action(command)->setEnabled(enabled);
    exportMenu_->setEnabled(enabled);
}

}  // namespace vaziduvu
