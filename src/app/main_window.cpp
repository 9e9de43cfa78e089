#include "app/main_window.h"

#include "adif/adif_file.h"
#include "app/about_box.h"
#include "app/check_panel.h"
#include "app/grid_delegate.h"
#include "app/grid_model.h"
#include "app/grid_view.h"
#include "app/icons.h"
#include "app/progress_panel.h"
#include "app/qt_text.h"
#include "app/search_dialog.h"
#include "app/shape_widget.h"
#include "platform/platform.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>

namespace vaziduvu {

const QColor MainWindow::kGreen(0, 128, 0);
const QColor MainWindow::kYellow(255, 255, 0);

namespace {

constexpr int kStartWidth = 630;
constexpr int kStartHeight = 492;
constexpr int kSmallestLaidOut = 375;

const char *const kNoticeText = "Green = saved, yellow = not yet saved";
const char *const kStartCaption = "File viewer/editor for amateur radio data in '.adi' file format";

QPalette panelPalette(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, GridColors::cell());
    palette.setColor(QPalette::Window, GridColors::cell());
    palette.setColor(QPalette::Text, Qt::black);
    // Keep the selection of the source view visible when it has no focus.
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    return palette;
}

}  // namespace

MainWindow::MainWindow(Platform &platform, QWidget *parent)
    : QMainWindow(parent)
    , platform_(platform)
{
    setObjectName("mainWindow");
    QFont font = QApplication::font();
    font.setPixelSize(11);
    setFont(font);
    createWidgets();
    createHistory();
    createActions();
    createMenus();
    createToolBar();
    resize(kStartWidth, kStartHeight);
    setMinimumSize(440, 400);  // every control keeps its place and stays readable
    setAcceptDrops(true);      // a log dropped on the window is opened
    setUpStartState();
    startGridFont_ = gridView_->font();
    startReportFont_ = loadReportView_->font();
    startSourceFont_ = sourceView_->font();
    startRowHeight_ = gridView_->verticalHeader()->defaultSectionSize();
    startSize_ = size();
}

MainWindow::~MainWindow()
{
    // The view must not ask the model about a document that is already gone.
    gridView_->setModel(nullptr);
    // Nor may the history, cleared on its way out, reach a half-gone window.
    history_->disconnect(this);
}

void MainWindow::createWidgets()
{
    client_ = new QWidget(this);
    client_->setObjectName("client");
    setCentralWidget(client_);

    toolBar_ = new QToolBar(client_);
    toolBar_->setObjectName("toolBar");
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setMovable(false);

    document_.showEmptyGrid();
    gridModel_ = new GridModel(document_, this);
    gridModel_->setEditFilter(
        [this](int column, int row, const QString &text) { return acceptEdit(column, row, text); });
    gridDelegate_ = new GridDelegate(document_, this);
    gridDelegate_->onEditorShown = [this](int column, int row, const std::string &text) {
        noteEditorText(column, row, text);
    };
    gridDelegate_->onEditorTextEdited = [this](int column, int row, const QString &text) {
        // Typing, pasting or deleting in the editor changes the cell: the
        // light says so before the edit is committed.
        if (!changeLightYellow()
            && text != toQt(document_.text(column, row), document_.textEncoding()))
            markDataChanged();
    };
    gridDelegate_->onEditorKey = [this](int key) {
        handleGridKey(key);
        return key == Qt::Key_F11 || key == Qt::Key_F12;
    };

    gridView_ = new GridView(client_);
    gridView_->setObjectName("gridView");
    gridView_->setModel(gridModel_);
    gridView_->setItemDelegate(gridDelegate_);
    gridView_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    gridView_->setTabKeyNavigation(true);
    gridView_->horizontalHeader()->setDefaultSectionSize(74);
    gridView_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    gridView_->horizontalHeader()->setHighlightSections(false);
    gridView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    gridView_->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    gridView_->verticalHeader()->setMinimumWidth(74);
    gridView_->verticalHeader()->setDefaultSectionSize(gridView_->fontMetrics().height() + 6);
    gridView_->setCornerButtonEnabled(false);
    gridView_->setWordWrap(false);
    {
        QPalette palette = gridView_->palette();
        palette.setColor(QPalette::Base, GridColors::cell());
        gridView_->setPalette(palette);
        gridView_->horizontalHeader()->setStyleSheet(
            "QHeaderView::section { background-color: silver; color: black; padding-left: 2px;"
            " border: 0px; border-right: 1px solid gray; border-bottom: 1px solid gray; }");
        gridView_->verticalHeader()->setStyleSheet(
            "QHeaderView::section { background-color: silver; color: black; padding-left: 2px;"
            " border: 0px; border-right: 1px solid gray; border-bottom: 1px solid gray; }");
    }
    gridView_->installEventFilter(this);
    gridView_->viewport()->installEventFilter(this);
    connect(gridView_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                recordColumnCurrent_ = false;
                showCurrentCellPosition();
                // The editor is always on the current cell: moving onto a cell
                // shows it in the editor.
                if (current.isValid())
                    noteEditorText(current.column() + 1, current.row() + 1,
                                   document_.text(current.column() + 1, current.row() + 1));
            });
    // The corner above the record numbers reads "RECORD #".
    cornerButton_ = gridView_->findChild<QAbstractButton *>();
    if (cornerButton_)
        cornerButton_->installEventFilter(this);

    loadReportView_ = new QPlainTextEdit(client_);
    loadReportView_->setObjectName("loadReportView");
    loadReportView_->setReadOnly(true);
    {
        QFont courier("Courier New");
        courier.setStyleHint(QFont::Monospace);
        courier.setPixelSize(11);
        loadReportView_->setFont(courier);
    }
    loadReportView_->setPalette(panelPalette(loadReportView_));
    setLoadReport("Welcome,  Please click \r\nthe file menu and select \r\nan ADIF file to load"
                  "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");

    sourceView_ = new QPlainTextEdit(client_);
    sourceView_->setObjectName("sourceView");
    sourceView_->setReadOnly(true);
    sourceView_->setFrameShape(QFrame::NoFrame);
    sourceView_->setLineWrapMode(QPlainTextEdit::NoWrap);
    sourceView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sourceView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sourceView_->setPalette(panelPalette(sourceView_));
    sourceView_->viewport()->installEventFilter(this);
    sourceView_->setToolTip("Click to show the source text in a larger window");
    setSourceView("");

    auto shape = [this](ShapeWidget::Kind kind, const char *name) {
        auto *made = new ShapeWidget(kind, client_);
        made->setObjectName(name);
        return made;
    };
    reportDivider_ = shape(ShapeWidget::Kind::Rectangle, "reportDivider");
    reportUnderline_ = shape(ShapeWidget::Kind::Rectangle, "reportUnderline");
    reportTopRule_ = shape(ShapeWidget::Kind::Rectangle, "reportTopRule");
    reportBottomRule_ = shape(ShapeWidget::Kind::Rectangle, "reportBottomRule");
    for (ShapeWidget *divider : {reportDivider_, reportTopRule_, reportBottomRule_}) {
        divider->setBrushColor(Qt::gray);
        divider->setPenColor(Qt::gray);
    }
    reportUnderline_->setBrushColor(Qt::transparent);
    reportUnderline_->setPenColor(Qt::transparent);
    reportUnderline_->setFixedHeight(1);

    statusBar_ = new QStatusBar(client_);
    statusBar_->setObjectName("statusBar");
    statusBar_->setSizeGripEnabled(false);
    statusBar_->setAutoFillBackground(true);
    for (int i = 0; i < 3; ++i) {
        statusPanels_[i] = new QLabel(statusBar_);
        statusPanels_[i]->setObjectName(QString("statusPanel%1").arg(i));
        statusPanels_[i]->setFrameShape(QFrame::Panel);
        statusPanels_[i]->setFrameShadow(QFrame::Sunken);
        statusBar_->addWidget(statusPanels_[i], i == 2 ? 1 : 0);
    }

    changeLegend_ = new QLabel(client_);
    changeLegend_->setObjectName("changeLegend");
    changeLightFrame_ = shape(ShapeWidget::Kind::Rectangle, "changeLightFrame");
    legendBand_ = shape(ShapeWidget::Kind::Rectangle, "legendBand");
    changeLight_ = shape(ShapeWidget::Kind::Circle, "changeLight");
    changeLight_->setToolTip("Green = data saved.  Yellow = data possibly NOT saved.");
    changeLight_->setFixedSize(13, 13);
    changeLight_->setBrushColor(kGreen);
    changeLightFrame_->setFixedSize(15, 15);
    for (ShapeWidget *frame : {changeLightFrame_, legendBand_}) {
        frame->setBrushColor(Qt::transparent);
        frame->setPenColor(Qt::transparent);
    }

    startupImage_ = new QLabel(client_);
    startupImage_->setObjectName("startupImage");
    startupImage_->setAlignment(Qt::AlignCenter);
    startupImage_->setScaledContents(true);
    startupImage_->setPixmap(startupPicture(QSize(640, 480)));
    startupTitle_ = new QLabel("Editor for Amateur Radio Data", client_);
    startupTitle_->setObjectName("startupTitle");
    {
        QFont title = font();
        title.setPixelSize(22);
        title.setBold(true);
        startupTitle_->setFont(title);
        startupTitle_->setStyleSheet("color: white; background: transparent;");
        startupTitle_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        startupTitle_->adjustSize();
    }
    // The picture and its title lie under every other control.
    startupTitle_->lower();
    startupImage_->lower();

    busyBanner_ = new QLabel(client_);
    busyBanner_->setObjectName("busyBanner");
    busyBanner_->setAlignment(Qt::AlignCenter);
    busyBanner_->setAutoFillBackground(true);
    {
        QFont arial("Arial");
        arial.setPixelSize(16);
        arial.setBold(true);
        busyBanner_->setFont(arial);
        busyBanner_->setFrameShape(QFrame::Panel);
        busyBanner_->setFrameShadow(QFrame::Raised);
    }

    aboutBox_ = new AboutBox(this);  // lives with the main window
    progressPanel_ = new ProgressPanel(this);
}

void MainWindow::createActions()
{
    // Text (the menu entry), tooltip (the toolbar hint), glyph and shortcut of
    // every command. A command without a glyph has no toolbar button.
    auto make = [this](const char *name, const char *text, const char *hint, int glyph) {
        auto *action = new QAction(QString::fromLatin1(text), this);
        action->setObjectName(name);
        if (glyph >= 0)
            action->setIcon(toolbarGlyph(glyph));
        if (hint)
            action->setToolTip(QString::fromLatin1(hint));
        return action;
    };
    openAction_ = make("openAction", "&Open", "Open a file", 0);
    newAction_ = make("newAction", "&New", "Create a new project (\".adi \") ", 8);
    saveAsAction_ = make("saveAsAction", "Save &As", "Save to a new file", 1);
    closeCurrentAction_ = make("closeCurrentAction", "&Close Current", nullptr, -1);
    exitAction_ = make("exitAction", "&Exit", nullptr, -1);
    addColumnAction_ = make("addColumnAction", "&Add Column", "Add a column", 4);
    clearColumnAction_ = make("clearColumnAction", "&Clear Column", "Clear a column", 5);
    addCopiedRowAction_ = make("addCopiedRowAction", "Add Row &Same As Previous",
                               "Add a new row same as row before ...", 7);
    addBlankRowAction_ = make("addBlankRowAction", "Add Blank &Row", "Add a new row", 6);
    searchAction_ = make("searchAction", "S&earch", "Search", 11);
    showCommentAction_ = make("showCommentAction", "Show Comment",
                              "Show the comment for the current column (F12)", 9);
    editCommentAction_ = make("editCommentAction", "Edit Comment", "Edit comment (F11)", 10);
    fontAction_ = make("fontAction", "Fo&nt", nullptr, -1);
    syntaxHighlightingAction_
        = make("syntaxHighlightingAction", "Use Syntax Highlighting", nullptr, -1);
    syntaxHighlightingAction_->setCheckable(true);
    omitEmptyTagsAction_ = make("omitEmptyTagsAction", "&Omit Empty Field Tags", nullptr, -1);
    omitEmptyTagsAction_->setCheckable(true);
    currentAdifAction_ = make("currentAdifAction", "Current ADIF (3.1.6)", nullptr, -1);
    currentAdifAction_->setCheckable(true);
    currentAdifAction_->setStatusTip(
        QStringLiteral("Check and read logs by the vocabulary and rules of ADIF 3.1.6"));
    importCabrilloAction_ = make("importCabrilloAction", "Cabrillo", nullptr, -1);
    importCabrilloAction_->setEnabled(false);
    aboutAction_ = make("aboutAction", "&About", "About box", 2);
    helpAction_ = make("helpAction", "&Vaziduvu Help Contents", "Help file", 3);
    aboutMenuEntry_ = make("aboutMenuEntry", "&About", nullptr, 2);
    helpMenuEntry_ = make("helpMenuEntry", "&Vaziduvu Help Contents", nullptr, 3);

    findNextAction_ = make("findNextAction", "Find &Next", nullptr, -1);
    deleteRowsAction_
        = make("deleteRowsAction", "&Delete Row(s)", "Delete the selected rows (contacts)", 14);
    deleteColumnAction_
        = make("deleteColumnAction", "Delete Colu&mn", "Delete the current column", 15);
    checkLogAction_
        = make("checkLogAction", "Chec&k Log", "Check every cell as an export would (F7)", 16);
    checkLogAction_->setShortcut(QKeySequence(Qt::Key_F7));

    // The usual keys of a desktop program; the menus show them.
    openAction_->setShortcut(QKeySequence::Open);
    newAction_->setShortcut(QKeySequence::New);
    saveAsAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    closeCurrentAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    searchAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    findNextAction_->setShortcut(QKeySequence(Qt::Key_F3));
    // F1 belongs to the toolbar's Help, which is always on; the menu entry,
    // switched with the document, only shows the key.
    helpAction_->setShortcut(QKeySequence(Qt::Key_F1));
    helpMenuEntry_->setText(helpMenuEntry_->text() + QStringLiteral("\tF1"));

    // A checkable item toggles its own mark before the slot runs; the slots
    // decide after a question, so the mark is put back first.
    for (QAction *option : {syntaxHighlightingAction_, omitEmptyTagsAction_}) {
        connect(option, &QAction::triggered, option, [option](bool checked) {
            QSignalBlocker block(option);
            option->setChecked(!checked);
        });
    }

    connect(openAction_, &QAction::triggered, this, &MainWindow::openLog);
    connect(newAction_, &QAction::triggered, this, &MainWindow::newProject);
    connect(saveAsAction_, &QAction::triggered, this, &MainWindow::saveAs);
    connect(closeCurrentAction_, &QAction::triggered, this, &MainWindow::closeCurrent);
    connect(exitAction_, &QAction::triggered, this, &MainWindow::close);
    connect(addColumnAction_, &QAction::triggered, this, &MainWindow::addColumn);
    connect(clearColumnAction_, &QAction::triggered, this, &MainWindow::clearColumn);
    connect(addCopiedRowAction_, &QAction::triggered, this, &MainWindow::addCopiedRow);
    connect(addBlankRowAction_, &QAction::triggered, this, &MainWindow::addBlankRow);
    connect(searchAction_, &QAction::triggered, this, &MainWindow::openSearch);
    connect(deleteRowsAction_, &QAction::triggered, this, &MainWindow::deleteRows);
    connect(deleteColumnAction_, &QAction::triggered, this, &MainWindow::deleteColumn);
    connect(checkLogAction_, &QAction::triggered, this, &MainWindow::checkWholeLog);
    connect(findNextAction_, &QAction::triggered, this, &MainWindow::findNext);
    connect(showCommentAction_, &QAction::triggered, this, &MainWindow::showCellComment);
    connect(editCommentAction_, &QAction::triggered, this, &MainWindow::editCellComment);
    connect(fontAction_, &QAction::triggered, this, &MainWindow::chooseGridFont);
    connect(syntaxHighlightingAction_, &QAction::triggered, this,
            &MainWindow::toggleSyntaxHighlighting);
    connect(omitEmptyTagsAction_, &QAction::triggered, this, &MainWindow::toggleOmitEmptyTags);
    connect(currentAdifAction_, &QAction::triggered, this, &MainWindow::toggleCurrentAdif);
    for (QAction *about : {aboutAction_, aboutMenuEntry_})
        connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    for (QAction *help : {helpAction_, helpMenuEntry_})
        connect(help, &QAction::triggered, this, &MainWindow::showHelp);
}

void MainWindow::createMenus()
{
    fileMenu_ = menuBar()->addMenu("&File");
    fileMenu_->setObjectName("fileMenu");
    fileMenu_->addActions(
        {openAction_, newAction_, saveAsAction_, closeCurrentAction_, exitAction_});

    editMenu_ = menuBar()->addMenu("&Edit");
    editMenu_->setObjectName("editMenu");
    editMenu_->addActions({undoAction_, redoAction_});
    editMenu_->addSeparator();
    editMenu_->addActions({addColumnAction_, clearColumnAction_});
    editMenu_->addSeparator();
    editMenu_->addActions(
        {addCopiedRowAction_, addBlankRowAction_, searchAction_, findNextAction_});
    editMenu_->addSeparator();
    editMenu_->addActions({deleteColumnAction_, deleteRowsAction_, checkLogAction_});

    formatMenu_ = menuBar()->addMenu("F&ormat");
    formatMenu_->setObjectName("formatMenu");
    formatMenu_->addActions({fontAction_, syntaxHighlightingAction_, omitEmptyTagsAction_});
    formatMenu_->addSeparator();
    formatMenu_->addAction(currentAdifAction_);

    importMenu_ = menuBar()->addMenu("&Import");
    importMenu_->setObjectName("importMenu");
    importMenu_->addAction(importCabrilloAction_);

    helpMenu_ = menuBar()->addMenu("&Help");
    helpMenu_->setObjectName("helpMenu");
    helpMenu_->addAction(aboutMenuEntry_);
    helpMenu_->addSeparator();
    helpMenu_->addAction(helpMenuEntry_);
}

void MainWindow::createToolBar()
{
    toolBar_->addActions({openAction_, saveAsAction_, addColumnAction_, clearColumnAction_,
                          addBlankRowAction_, addCopiedRowAction_, showCommentAction_,
                          editCommentAction_, searchAction_, newAction_, helpAction_,
                          aboutAction_});
    // The commands that came later follow, so the first buttons stay where
    // users know them.
    toolBar_->addSeparator();
    toolBar_->addActions(
        {undoAction_, redoAction_, deleteRowsAction_, deleteColumnAction_, checkLogAction_});
}

void MainWindow::beginLongOperation()
{
    if (longOperationDepth_++ == 0)
        setCommandsWaiting(true);
}

void MainWindow::endLongOperation()
{
    if (longOperationDepth_ > 0 && --longOperationDepth_ == 0)
        setCommandsWaiting(false);
}

void MainWindow::setCommandsWaiting(bool waiting)
{
    menuBar()->setEnabled(!waiting);
    toolBar_->setEnabled(!waiting);
    client_->setEnabled(!waiting);
    if (checkPanel_)
        checkPanel_->setEnabled(!waiting);
}

void MainWindow::setDocumentCommandsEnabled(bool enabled)
{
    for (QAction *command :
         {saveAsAction_, closeCurrentAction_, addColumnAction_, clearColumnAction_,
          addCopiedRowAction_, addBlankRowAction_, searchAction_, findNextAction_,
          showCommentAction_, editCommentAction_, fontAction_, syntaxHighlightingAction_,
          omitEmptyTagsAction_, aboutMenuEntry_, helpMenuEntry_, deleteRowsAction_,
          deleteColumnAction_, checkLogAction_})
        command->setEnabled(enabled);
}

void MainWindow::setUpStartState()
{
    document_.clearRecordTrailers();
    document_.setDocumentOpen(false);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    adifFile_ = std::make_unique<AdifFile>();
    placeStatusPanels();
    setWindowTitle(kStartCaption);

    document_.setSize(0, 0);
    gridModel_->reload();
    for (QWidget *widget : std::initializer_list<QWidget *>{
             gridView_, sourceView_, reportDivider_, reportUnderline_, reportTopRule_,
             reportBottomRule_, statusBar_, loadReportView_, busyBanner_})
        widget->hide();
    setChangeLight(false);
    setDocumentCommandsEnabled(false);
    // Until the first load or reset, the Help menu's entries are on.
    aboutMenuEntry_->setEnabled(true);
    helpMenuEntry_->setEnabled(true);

    changeLegend_->setText(kNoticeText);
    changeLegend_->adjustSize();
    changeLegend_->hide();  // the legend shows with the light it explains
    changeLight_->move(changeLight_->x(), changeLegend_->y());
    changeLightFrame_->move(changeLightFrame_->x(), changeLegend_->y() - 1);
    layoutChildren();
}

void MainWindow::placeStatusPanels()
{
    const int width = client_->width() > 0 ? client_->width() : kStartWidth;
    statusPanels_[0]->setFixedWidth(90);
    // Two fifths of the window, but never so narrow that its message is cut.
    statusPanels_[1]->setFixedWidth(
        std::max((width / 5) * 2 - 5,
                 statusPanels_[1]->fontMetrics().horizontalAdvance(statusPanels_[1]->text()) + 12));
}

void MainWindow::layoutChildren()
{
    // The rule is about the outer size, frame and title bar included.
    const QRect outer = frameGeometry();
    if (outer.height() <= kSmallestLaidOut || outer.width() <= kSmallestLaidOut)
        return;
    const int W = client_->width();
    const int H = client_->height();
    toolBar_->setGeometry(0, 0, W, toolBar_->sizeHint().height());
    const int T = toolBar_->height();

    gridView_->setGeometry(4, toolBar_->y() + T, W - 8, (H - T) * 25 / 40);
    const int reportTop = gridView_->y() + gridView_->height() + 10;
    // The text views take the room down to the legend's row, which sits
    // just above the status bar: no dead band at any size.
    const int statusHeight = statusBar_->sizeHint().height();
    const int reportHeight
        = std::max(24, H - statusHeight - changeLegend_->height() - 20 - reportTop);
    loadReportView_->setGeometry(4, reportTop, W / 2 - 8, reportHeight);
    sourceView_->setGeometry(loadReportView_->x() + loadReportView_->width() + 2,
                             loadReportView_->y(), W - (loadReportView_->width() + 9),
                             loadReportView_->height());
    reportDivider_->setGeometry(sourceView_->x() - 1, sourceView_->y(), 1, sourceView_->height());
    statusBar_->setGeometry(0, H - statusHeight, W - 2, statusHeight);
    reportUnderline_->setGeometry(loadReportView_->x(),
                                  loadReportView_->y() + loadReportView_->height(), W - 8, 1);
    reportTopRule_->setGeometry(reportUnderline_->x(), loadReportView_->y() - 1,
                                reportUnderline_->width() - 1, 1);
    reportBottomRule_->setGeometry(reportUnderline_->x(),
                                   loadReportView_->y() + loadReportView_->height() + 1,
                                   reportUnderline_->width() - 1, 1);
    changeLegend_->move(W - (changeLegend_->width() + 8),
                        loadReportView_->y() + loadReportView_->height() + 10);
    changeLight_->move(changeLegend_->x() - changeLight_->width() - 6, changeLegend_->y());
    changeLightFrame_->move(changeLight_->x() - 1, changeLegend_->y() - 1);
    legendBand_->setGeometry(changeLight_->x() + changeLight_->width() + 1, changeLegend_->y() - 1,
                             std::max(0, W - (changeLight_->width() + 14)),
                             changeLightFrame_->height());
    legendBand_->lower();
    busyBanner_->setGeometry(1, 0, W - 2, H - statusHeight);
    startupImage_->setGeometry(0, T, W - 1, H - (T + 1));
    if (!startupImage_->isHidden() && startupImage_->pixmap().size() != startupImage_->size())
        startupImage_->setPixmap(startupPicture(startupImage_->size()));
    startupTitle_->move((W - startupTitle_->width()) / 2, H / 2);
    startupTitle_->resize(startupTitle_->width(), H / 2);
    placeStatusPanels();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    guarded("Could not lay out the window.", [this] { layoutChildren(); });
}

bool MainWindow::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        checkEnvironment();
    if (event->type() == QEvent::WindowTitleChange && currentAdifAction_) {
        // Whatever sets the caption, it says whether Current ADIF is on.
        const bool marked = windowTitle().endsWith(kCurrentAdifCaptionMark);
        if (adifMode_ == AdifMode::Current && !marked)
            setWindowTitle(windowTitle() + kCurrentAdifCaptionMark);
        else if (adifMode_ != AdifMode::Current && marked)
            setWindowTitle(captionWithoutMode());
    }
    return handled;
}

void MainWindow::checkEnvironment()
{
    try {
        startupImage_->resize(client_->width() - 1, client_->height() - (toolBar_->height() + 1));
        const int major = platform_.osMajorVersion();
        const DriveType drive = platform_.driveTypeOf(platform_.currentDirectory());
        if (drive != DriveType::Removable && drive != DriveType::Fixed && drive != DriveType::Remote
            && drive != DriveType::ReadOnly) {
            showMessage("Problem:",
                        "You are attempting to run the program from a CDROM-DISK.  Please move "
                        "the program to a hard drive directory and re-run it. ");
            close();
        } else if (major >= 5) {
            if (!enoughMemory()) {
                showMessage("Problem:",
                            "Your machine does not have enough memory to run this "
                            "program efficiently . Program will end.");
                close();
            }
        } else {
            showMessage("Problem:",
                        "This program is for Windows 2000, Windows XP, or greater "
                        "Operating Systems only!");
            close();
        }
    } catch (...) {
        showMessage("Problem:", "Could not initialize program.");
        close();
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // An export refuses to close, as it always has (mayClose); any other
    // long operation is asked to stop.
    if (longOperationDepth_ > 0 && !exportInProgress_) {
        progressPanel_->requestStop();
        event->ignore();
        return;
    }
    if (!mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    storePreferences();
    releaseOnClose();
}

bool MainWindow::mayClose()
{
    if (exportInProgress_)
        return false;
    bool allowed = true;
    guarded("Could not save the data before closing.", [this, &allowed] {
        gridDelegate_->commitOpenEditor();
        if (changeLightYellow()
            && platform_.confirm(this,
                                 "Your data has not been saved by exporting it to a file. "
                                 "\r\n Do you wish to save your data now?"))
            allowed = saveToNewFile();
    });
    return allowed;
}

void MainWindow::releaseOnClose()
{
    guarded("Could not close the program properly.", [this] {
        endJournal();  // a clean exit leaves nothing to recover
        document_.setDocumentOpen(false);
        clearGrid();
        adifFile_.reset();
        if (searchDialog_)
            searchDialog_->hide();
    });
    QCoreApplication::quit();
}

void MainWindow::closeCurrent()
{
    guarded("Could not close current session", [this] {
        gridDelegate_->commitOpenEditor();
        bool goOn = true;
        if (changeLightYellow()) {
            if (platform_.confirm(this,
                                  "Your current data has not been saved by exporting it to a "
                                  "file. \r\n Do you wish to save your data now?"))
                goOn = saveToNewFile();
        }
        if (!goOn) {
            showMessage("Problem:", "Could not close the current session");
            return;
        }
        resetDocument();
        for (QWidget *widget : std::initializer_list<QWidget *>{
                 gridView_, sourceView_, reportDivider_, reportUnderline_, reportTopRule_,
                 reportBottomRule_, loadReportView_})
            widget->hide();
        setChangeLight(false, kGreen);
        for (int panel = 0; panel < 3; ++panel)
            setStatusText(panel, "");
        setWindowTitle(kStartCaption);  // no caption of a closed file
    });
}

void MainWindow::showMessage(const std::string &header, const std::string &text)
{
    platform_.showMessageBox(this, header, text);
}

void MainWindow::guarded(const char *failureMessage, const std::function<void()> &body)
{
    try {
        body();
    } catch (...) {
        // Reporting must not fail in turn: the message box is the last resort.
        try {
            showMessage("Problem:", failureMessage);
        } catch (...) {
        }
    }
}

void MainWindow::setChangeLight(bool visible, const QColor &color)
{
    for (ShapeWidget *shape : {changeLight_, changeLightFrame_, legendBand_})
        shape->setVisible(visible);
    changeLegend_->setVisible(visible);  // never a light without its legend
    if (color.isValid())
        changeLight_->setBrushColor(color);
    changeLight_->repaint();
}

namespace {

// The first local file of a drag, as the file system spells its path.
std::string droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            return QFile::encodeName(url.toLocalFile()).toStdString();
    }
    return {};
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).empty() && !exportInProgress_ && longOperationDepth_ == 0)
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const std::string path = droppedFile(event->mimeData());
    if (path.empty() || exportInProgress_)
        return;
    event->acceptProposedAction();
    openFile(path);
}

bool MainWindow::changeLightYellow() const
{
    return changeLight_->brushColor() == kYellow;
}

bool MainWindow::changeLightVisible() const
{
    return !changeLight_->isHidden();
}

void MainWindow::markDataChanged()
{
    document_.setUnsavedChanges(true);
    changeLight_->setBrushColor(kYellow);
    setLoadReport("Statistics refreshed on reload");
    loadReportView_->repaint();
    setSourceView("");
}

std::string MainWindow::caption() const
{
    return fromQt(windowTitle());
}

std::string MainWindow::statusText(int panel) const
{
    return fromQt(statusPanels_[panel]->text());
}

void MainWindow::setStatusText(int panel, const std::string &text)
{
    statusPanels_[panel]->setText(toQt(text));
    if (panel == 1)
        placeStatusPanels();
}

}  // namespace vaziduvu
