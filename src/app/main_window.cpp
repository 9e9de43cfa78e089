#include "app/main_window.h"
#include "app/failure_text.h"

#include "adif/adif_file.h"
#include "app/about_box.h"
#include "app/check_panel.h"
#include "app/duplicates_panel.h"
#include "app/filter_bar.h"
#include "app/grid_delegate.h"
#include "app/grid_model.h"
#include "app/grid_view.h"
#include "app/icons.h"
#include "app/progress_panel.h"
#include "app/qt_text.h"
#include "app/search_dialog.h"
#include "app/shape_widget.h"
#include "app/statistics_window.h"
#include "platform/platform.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

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
    createHousekeeping();
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
    // Nor the panels, whose choices change as their widgets go.
    if (duplicatesPanel_)
        duplicatesPanel_->disconnect(this);
    if (statisticsWindow_)
        statisticsWindow_->disconnect(this);
}

void MainWindow::createWidgets()
{
    client_ = new QWidget(this);
    client_->setObjectName("client");
    setCentralWidget(client_);
    client_->installEventFilter(this);

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName("toolBar");
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->toggleViewAction()->setEnabled(false);  // the commands' buttons are always there
    addToolBar(Qt::TopToolBarArea, toolBar_);

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

    // The grid above, the load report and the source view below, divided by
    // splitters a user can drag; the grid's area stays when the grid is
    // hidden (a refused log), so the report keeps its place.
    contentSplitter_ = new QSplitter(Qt::Vertical, client_);
    contentSplitter_->setObjectName("contentSplitter");
    contentSplitter_->setChildrenCollapsible(false);
    gridArea_ = new QWidget(contentSplitter_);
    gridArea_->setObjectName("gridArea");
    gridView_ = new GridView(gridArea_);
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
                if (current.isValid()) {
                    const int row = gridModel_->documentRow(current.row());
                    noteEditorText(current.column() + 1, row,
                                   document_.text(current.column() + 1, row));
                }
            });
    // The corner above the record numbers reads "RECORD #".
    cornerButton_ = gridView_->findChild<QAbstractButton *>();
    if (cornerButton_)
        cornerButton_->installEventFilter(this);

    auto *gridLayout = new QVBoxLayout(gridArea_);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->addWidget(gridView_);

    auto *reportArea = new QWidget(contentSplitter_);
    reportArea->setObjectName("reportArea");
    reportSplitter_ = new QSplitter(Qt::Horizontal, reportArea);
    reportSplitter_->setObjectName("reportSplitter");
    reportSplitter_->setChildrenCollapsible(false);
    loadReportView_ = new QPlainTextEdit(reportSplitter_);
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

    sourceView_ = new QPlainTextEdit(reportSplitter_);
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

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("statusBar");
    statusBar_->setSizeGripEnabled(false);
    statusBar_->setAutoFillBackground(true);
    for (int i = 0; i < kStatusPanelCount; ++i) {
        statusPanels_[i] = new QLabel(statusBar_);
        statusPanels_[i]->setObjectName(QString("statusPanel%1").arg(i));
        statusPanels_[i]->setFrameShape(QFrame::Panel);
        statusPanels_[i]->setFrameShadow(QFrame::Sunken);
        statusBar_->addWidget(statusPanels_[i], i == StatusNotice ? 1 : 0);
    }
    setStatusBar(statusBar_);

    // The change light (in its frame) and its legend, right-aligned under
    // the text views.
    changeLegend_ = new QLabel(reportArea);
    changeLegend_->setObjectName("changeLegend");
    changeLightFrame_ = new ShapeWidget(ShapeWidget::Kind::Rectangle, reportArea);
    changeLightFrame_->setObjectName("changeLightFrame");
    changeLightFrame_->setFixedSize(15, 15);
    changeLightFrame_->setBrushColor(Qt::transparent);
    changeLightFrame_->setPenColor(Qt::transparent);
    changeLight_ = new ShapeWidget(ShapeWidget::Kind::Circle, changeLightFrame_);
    changeLight_->setObjectName("changeLight");
    changeLight_->setToolTip("Green = data saved.  Yellow = data possibly NOT saved.");
    changeLight_->setGeometry(1, 1, 13, 13);
    changeLight_->setBrushColor(kGreen);

    auto *legendRow = new QHBoxLayout;
    legendRow->setContentsMargins(0, 0, 4, 0);
    legendRow->setSpacing(6);
    legendRow->addStretch(1);
    legendRow->addWidget(changeLightFrame_, 0, Qt::AlignVCenter);
    legendRow->addWidget(changeLegend_, 0, Qt::AlignVCenter);
    auto *reportLayout = new QVBoxLayout(reportArea);
    reportLayout->setContentsMargins(0, 6, 0, 6);
    reportLayout->setSpacing(8);
    reportLayout->addWidget(reportSplitter_, 1);
    reportLayout->addLayout(legendRow);

    contentSplitter_->setStretchFactor(0, kGridShare);
    contentSplitter_->setStretchFactor(1, kReportShare);
    connect(contentSplitter_, &QSplitter::splitterMoved, this,
            [this] { contentSplitMoved_ = true; });
    auto *clientLayout = new QVBoxLayout(client_);
    clientLayout->setContentsMargins(4, 0, 4, 0);
    clientLayout->addWidget(contentSplitter_);

    // The picture, its title and the busy banner lie over the client area,
    // outside its layout.
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
    // Disabled widgets give up the keyboard: it comes back where it was.
    if (waiting)
        focusBeforeWaiting_ = QApplication::focusWidget();
    menuBar()->setEnabled(!waiting);
    toolBar_->setEnabled(!waiting);
    client_->setEnabled(!waiting);
    if (checkPanel_)
        checkPanel_->setEnabled(!waiting);
    if (statisticsWindow_)
        statisticsWindow_->setEnabled(!waiting);
    if (duplicatesPanel_)
        duplicatesPanel_->setEnabled(!waiting);
    if (!waiting && focusBeforeWaiting_ && focusBeforeWaiting_->isVisible()
        && focusBeforeWaiting_->isEnabled())
        focusBeforeWaiting_->setFocus();
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
    for (QWidget *widget : std::initializer_list<QWidget *>{gridView_, sourceView_, statusBar_,
                                                            loadReportView_, busyBanner_})
        widget->hide();
    setChangeLight(false);
    setDocumentCommandsEnabled(false);
    // Until the first load or reset, the Help menu's entries are on.
    action(Command::AboutMenuEntry)->setEnabled(true);
    action(Command::HelpMenuEntry)->setEnabled(true);

    changeLegend_->setText(kNoticeText);
    changeLegend_->adjustSize();
    changeLegend_->hide();  // the legend shows with the light it explains
    layoutChildren();
}

void MainWindow::placeStatusPanels()
{
    const int width = client_->width() > 0 ? client_->width() : kStartWidth;
    statusPanels_[StatusCellPosition]->setFixedWidth(90);
    // Two fifths of the window, but never so narrow that its message is cut.
    QLabel *fileSize = statusPanels_[StatusFileSize];
    fileSize->setFixedWidth(std::max(
        (width / 5) * 2 - 5, fileSize->fontMetrics().horizontalAdvance(fileSize->text()) + 12));
}

void MainWindow::layoutChildren()
{
    // The rule is about the outer size, frame and title bar included.
    const QRect outer = frameGeometry();
    if (outer.height() <= kSmallestLaidOut || outer.width() <= kSmallestLaidOut)
        return;
    const int W = client_->width();
    const int H = client_->height();
    // The grid takes its share of the height until the user drags the
    // boundary; from then on the splitter keeps what the user chose.
    if (!contentSplitMoved_) {
        const int room = contentSplitter_->height() - contentSplitter_->handleWidth();
        const int grid = room * kGridShare / (kGridShare + kReportShare);
        contentSplitter_->setSizes({grid, room - grid});
    }
    busyBanner_->setGeometry(1, 0, W - 2, H);
    startupImage_->setGeometry(0, 0, W - 1, H - 1);
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
    if (event->type() == QEvent::WindowTitleChange && action(Command::CurrentAdif)) {
        // Whatever sets the caption, it says whether Current ADIF is on.
        const bool marked = windowTitle().endsWith(kCurrentAdifCaptionMark);
        if (adifMode_ == AdifMode::Current && !marked)
            setWindowTitle(windowTitle() + kCurrentAdifCaptionMark);
        else if (adifMode_ != AdifMode::Current && marked)
            setWindowTitle(captionWithoutMode());
    }
    return handled;
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
        for (QWidget *widget :
             std::initializer_list<QWidget *>{gridView_, sourceView_, loadReportView_})
            widget->hide();
        setChangeLight(false, kGreen);
        for (int panel = 0; panel < kStatusPanelCount; ++panel)
            setStatusText(static_cast<StatusPanel>(panel), "");
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
    } catch (...) {  // the boundary of every command: nothing leaves a handler
        // Reporting must not fail in turn: the message box is the last resort.
        try {
            platform_.showFailure(this, "Problem:", failureMessage, failureReason());
        } catch (...) {  // the report itself failed: nothing more can be said
        }
    }
}

void MainWindow::setChangeLight(bool visible, const QColor &color)
{
    for (ShapeWidget *shape : {changeLight_, changeLightFrame_})
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

void MainWindow::setStatusText(StatusPanel panel, const std::string &text)
{
    statusPanels_[panel]->setText(toQt(text));
    if (panel == StatusFileSize)
        placeStatusPanels();
}

}  // namespace vaziduvu
