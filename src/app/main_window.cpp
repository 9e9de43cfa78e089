#include "app/main_window.h"

#include "adif/adif_file.h"
#include "app/about_box.h"
#include "app/grid_delegate.h"
#include "app/grid_model.h"
#include "app/icons.h"
#include "app/qt_text.h"
#include "app/search_dialog.h"
#include "app/shape_widget.h"
#include "platform/platform.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>

namespace vaziduvu {

const QColor TForm1::kGreen(0, 128, 0);
const QColor TForm1::kYellow(255, 255, 0);

namespace {

constexpr int kStartWidth = 630;
constexpr int kStartHeight = 492;
constexpr int kSmallestLaidOut = 375;

const char *const kNoticeText = "Green = saved, yellow = not yet saved";

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

TForm1::TForm1(Platform &platform, QWidget *parent)
    : QMainWindow(parent), platform_(platform)
{
    setObjectName("Form1");
    QFont font = QApplication::font();
    font.setPixelSize(11);
    setFont(font);
    createComponents();
    createActions();
    createMenus();
    createToolBar();
    connectCommands();
    resize(kStartWidth, kStartHeight);
    FormCreate();
}

TForm1::~TForm1()
{
    // The view must not ask the model about a document that is already gone.
    StringGrid1->setModel(nullptr);
}

void TForm1::createComponents()
{
    client = new QWidget(this);
    client->setObjectName("client");
    setCentralWidget(client);

    ToolBar1 = new QToolBar(client);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setIconSize(QSize(24, 24));
    ToolBar1->setMovable(false);

    document_.showEmptyGrid();
    gridModel_ = new GridModel(document_, this);
    gridModel_->setEditFilter([this](int column, int row, const std::string &text) {
        return StringGrid1SetEditText(column, row, text);
    });
    gridDelegate_ = new GridDelegate(document_, this);
    gridDelegate_->onEditorShown = [this](int column, int row, const std::string &text) {
        StringGrid1GetEditText(column, row, text);
    };
    gridDelegate_->onEditorKey = [this](int key) {
        StringGrid1KeyDown(key);
        return key == Qt::Key_F11 || key == Qt::Key_F12;
    };

    StringGrid1 = new QTableView(client);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setModel(gridModel_);
    StringGrid1->setItemDelegate(gridDelegate_);
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                                 | QAbstractItemView::EditKeyPressed
                                 | QAbstractItemView::SelectedClicked);
    StringGrid1->setTabKeyNavigation(true);
    StringGrid1->horizontalHeader()->setDefaultSectionSize(74);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    StringGrid1->horizontalHeader()->setHighlightSections(false);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    StringGrid1->verticalHeader()->setMinimumWidth(74);
    StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
    StringGrid1->setCornerButtonEnabled(false);
    StringGrid1->setWordWrap(false);
    {
        QPalette palette = StringGrid1->palette();
        palette.setColor(QPalette::Base, GridColors::cell());
        StringGrid1->setPalette(palette);
        StringGrid1->horizontalHeader()->setStyleSheet(
            "QHeaderView::section { background-color: silver; color: black; padding-left: 2px;"
            " border: 0px; border-right: 1px solid gray; border-bottom: 1px solid gray; }");
        StringGrid1->verticalHeader()->setStyleSheet(
            "QHeaderView::section { background-color: silver; color: black; padding-left: 2px;"
            " border: 0px; border-right: 1px solid gray; border-bottom: 1px solid gray; }");
    }
    StringGrid1->installEventFilter(this);
    StringGrid1->viewport()->installEventFilter(this);
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                recordColumnCurrent_ = false;
                StringGrid1Click();
                // The editor is always on the current cell: moving onto a cell
                // shows it in the editor.
                if (current.isValid())
                    StringGrid1GetEditText(current.column() + 1, current.row() + 1,
                                           document_.text(current.column() + 1, current.row() + 1));
            });
    // The corner above the record numbers reads "RECORD #".
    cornerButton_ = StringGrid1->findChild<QAbstractButton *>();
    if (cornerButton_)
        cornerButton_->installEventFilter(this);

    RichEdit1 = new QPlainTextEdit(client);
    RichEdit1->setObjectName("RichEdit1");
    RichEdit1->setReadOnly(true);
    {
        QFont courier("Courier New");
        courier.setStyleHint(QFont::Monospace);
        courier.setPixelSize(11);
        RichEdit1->setFont(courier);
    }
    RichEdit1->setPalette(panelPalette(RichEdit1));
    setLoadReport("Welcome,  Please click \r\nthe file menu and select \r\nan ADIF file to load"
                  "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");

    RichEdit2 = new QPlainTextEdit(client);
    RichEdit2->setObjectName("RichEdit2");
    RichEdit2->setReadOnly(true);
    RichEdit2->setFrameShape(QFrame::NoFrame);
    RichEdit2->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit2->setPalette(panelPalette(RichEdit2));
    RichEdit2->viewport()->installEventFilter(this);
    RichEdit2->setToolTip("Click to show the source text in a larger window");
    setSourceView("");

    auto shape = [this](ShapeWidget::Kind kind, const char *name) {
        auto *made = new ShapeWidget(kind, client);
        made->setObjectName(name);
        return made;
    };
    Shape4 = shape(ShapeWidget::Kind::Rectangle, "Shape4");
    Shape5 = shape(ShapeWidget::Kind::Rectangle, "Shape5");
    Shape6 = shape(ShapeWidget::Kind::Rectangle, "Shape6");
    Shape7 = shape(ShapeWidget::Kind::Rectangle, "Shape7");
    for (ShapeWidget *divider : {Shape4, Shape6, Shape7}) {
        divider->setBrushColor(Qt::gray);
        divider->setPenColor(Qt::gray);
    }
    Shape5->setBrushColor(Qt::transparent);
    Shape5->setPenColor(Qt::transparent);
    Shape5->setFixedHeight(1);

    StatusBar2 = new QStatusBar(client);
    StatusBar2->setObjectName("StatusBar2");
    StatusBar2->setSizeGripEnabled(false);
    StatusBar2->setAutoFillBackground(true);
    for (int i = 0; i < 3; ++i) {
        statusPanels[i] = new QLabel(StatusBar2);
        statusPanels[i]->setObjectName(QString("StatusPanel%1").arg(i));
        statusPanels[i]->setFrameShape(QFrame::Panel);
        statusPanels[i]->setFrameShadow(QFrame::Sunken);
        StatusBar2->addWidget(statusPanels[i], i == 2 ? 1 : 0);
    }

    Label3 = new QLabel(client);
    Label3->setObjectName("Label3");
    Shape2 = shape(ShapeWidget::Kind::Rectangle, "Shape2");
    Shape3 = shape(ShapeWidget::Kind::Rectangle, "Shape3");
    Shape1 = shape(ShapeWidget::Kind::Circle, "Shape1");
    Shape1->setToolTip("Green = data saved.  Yellow = data possibly NOT saved.");
    Shape1->setFixedSize(13, 13);
    Shape1->setBrushColor(kGreen);
    Shape2->setFixedSize(15, 15);
    for (ShapeWidget *frame : {Shape2, Shape3}) {
        frame->setBrushColor(Qt::transparent);
        frame->setPenColor(Qt::transparent);
    }

    Image1 = new QLabel(client);
    Image1->setObjectName("Image1");
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setScaledContents(true);
    Image1->setPixmap(startupPicture(QSize(640, 480)));
    Label1 = new QLabel("Editor for Amateur Radio Data", client);
    Label1->setObjectName("Label1");
    {
        QFont title = font();
        title.setPixelSize(22);
        title.setBold(true);
        Label1->setFont(title);
        Label1->setStyleSheet("color: white; background: transparent;");
        Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        Label1->adjustSize();
    }
    // The picture and its title lie under every other control.
    Label1->lower();
    Image1->lower();

    Panel1 = new QLabel(client);
    Panel1->setObjectName("Panel1");
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setAutoFillBackground(true);
    {
        QFont arial("Arial");
        arial.setPixelSize(16);
        arial.setBold(true);
        Panel1->setFont(arial);
        Panel1->setFrameShape(QFrame::Panel);
        Panel1->setFrameShadow(QFrame::Raised);
    }

    aboutBox_ = new TAboutBox(this);  // lives with the main window
}

void TForm1::createActions()
{
    auto make = [this](const char *name, const char *text) {
        auto *action = new QAction(QString::fromLatin1(text), this);
        action->setObjectName(name);
        return action;
    };
    Open1 = make("Open1", "&Open");
    New1 = make("New1", "&New");
    Save1 = make("Save1", "Save &As");
    CloseCurrent1 = make("CloseCurrent1", "&Close Current");
    Exit1 = make("Exit1", "&Exit");
    AddColumn1 = make("AddColumn1", "&Add Column");
    ClearColumn1 = make("ClearColumn1", "&Clear Column");
    AddRowSameAsPrevious1 = make("AddRowSameAsPrevious1", "Add Row &Same As Previous");
    AddRow1 = make("AddRow1", "Add Blank &Row");
    Search1 = make("Search1", "S&earch");
    Font1 = make("Font1", "Fo&nt");
    UseSyntaxHighlighting1 = make("UseSyntaxHighlighting1", "Use Syntax Highlighting");
    UseSyntaxHighlighting1->setCheckable(true);
    Omitemptyfieldtags1 = make("Omitemptyfieldtags1", "&Omit Empty Field Tags");
    Omitemptyfieldtags1->setCheckable(true);
    Cabrillo1 = make("Cabrillo1", "Cabrillo");
    About1 = make("About1", "&About");
    Overview1 = make("Overview1", "&Vaziduvu Help Contents");
    // A checkable menu item toggles its own mark before our handler runs; the
    // handlers decide, so the mark is put back first.
    for (QAction *option : {UseSyntaxHighlighting1, Omitemptyfieldtags1}) {
        connect(option, &QAction::triggered, option, [option](bool checked) {
            QSignalBlocker block(option);
            option->setChecked(!checked);
        });
    }

    auto button = [this](const char *name, const char *hint, int image) {
        auto *action = new QAction(toolbarGlyph(image), QString::fromLatin1(hint), this);
        action->setObjectName(name);
        action->setToolTip(QString::fromLatin1(hint));
        return action;
    };
    ToolButton1 = button("ToolButton1", "Open a file", 0);
    ToolButton2 = button("ToolButton2", "Save to a new file", 1);
    ToolButton5 = button("ToolButton5", "Add a column", 4);
    ToolButton6 = button("ToolButton6", "Clear a column", 5);
    ToolButton7 = button("ToolButton7", "Add a new row", 6);
    ToolButton8 = button("ToolButton8", "Add a new row same as row before ...", 7);
    ToolButton10 = button("ToolButton10", "Show the comment for the current column (F12)", 9);
    ToolButton11 = button("ToolButton11", "Edit comment (F11)", 10);
    ToolButton12 = button("ToolButton12", "Search", 11);
    ToolButton9 = button("ToolButton9", "Create a new project (\".adi \") ", 8);
    ToolButton4 = button("ToolButton4", "Help file", 3);
    ToolButton3 = button("ToolButton3", "About box", 2);
}

void TForm1::createMenus()
{
    File1 = menuBar()->addMenu("&File");
    File1->setObjectName("File1");
    File1->addAction(Open1);
    File1->addAction(New1);
    File1->addAction(Save1);
    File1->addAction(CloseCurrent1);
    File1->addAction(Exit1);

    Layout1 = menuBar()->addMenu("&Edit");
    Layout1->setObjectName("Layout1");
    Layout1->addAction(AddColumn1);
    Layout1->addAction(ClearColumn1);
    N2 = Layout1->addSeparator();
    N2->setObjectName("N2");
    Layout1->addAction(AddRowSameAsPrevious1);
    Layout1->addAction(AddRow1);
    Layout1->addAction(Search1);

    Format1 = menuBar()->addMenu("F&ormat");
    Format1->setObjectName("Format1");
    Format1->addAction(Font1);
    Format1->addAction(UseSyntaxHighlighting1);
    Format1->addAction(Omitemptyfieldtags1);

    Import1 = menuBar()->addMenu("&Import");
    Import1->setObjectName("Import1");
    Import1->addAction(Cabrillo1);
    Cabrillo1->setEnabled(false);

    Help1 = menuBar()->addMenu("&Help");
    Help1->setObjectName("Help1");
    Help1->addAction(About1);
    N1 = Help1->addSeparator();
    N1->setObjectName("N1");
    Help1->addAction(Overview1);

    // Design state: every document entry off, except the two help entries.
    for (QAction *entry : {Save1, CloseCurrent1, AddColumn1, ClearColumn1, AddRowSameAsPrevious1,
                           AddRow1, Search1, Font1, UseSyntaxHighlighting1, Omitemptyfieldtags1})
        entry->setEnabled(false);
}

void TForm1::createToolBar()
{
    for (QAction *action : {ToolButton1, ToolButton2, ToolButton5, ToolButton6, ToolButton7,
                            ToolButton8, ToolButton10, ToolButton11, ToolButton12, ToolButton9,
                            ToolButton4, ToolButton3})
        ToolBar1->addAction(action);
}

void TForm1::connectCommands()
{
    auto on = [this](QAction *action, void (TForm1::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    on(Open1, &TForm1::Open1Click);
    on(New1, &TForm1::New1Click);
    on(Save1, &TForm1::Save1Click);
    on(CloseCurrent1, &TForm1::CloseCurrent1Click);
    on(Exit1, &TForm1::Exit1Click);
    on(AddColumn1, &TForm1::AddColumn1Click);
    on(ClearColumn1, &TForm1::ClearColumn1Click);
    on(AddRowSameAsPrevious1, &TForm1::AddRowSameAsPrevious1Click);
    on(AddRow1, &TForm1::AddRow1Click);
    on(Search1, &TForm1::Search1Click);
    on(Font1, &TForm1::Font1Click);
    on(UseSyntaxHighlighting1, &TForm1::UseSyntaxHighlighting1Click);
    on(Omitemptyfieldtags1, &TForm1::Omitemptyfieldtags1Click);
    on(About1, &TForm1::About1Click);
    on(Overview1, &TForm1::Overview1Click);
    on(ToolButton1, &TForm1::ToolButton1Click);
    on(ToolButton2, &TForm1::ToolButton2Click);
    on(ToolButton3, &TForm1::ToolButton3Click);
    on(ToolButton4, &TForm1::ToolButton4Click);
    on(ToolButton5, &TForm1::ToolButton5Click);
    on(ToolButton6, &TForm1::ToolButton6Click);
    on(ToolButton7, &TForm1::ToolButton7Click);
    on(ToolButton8, &TForm1::ToolButton8Click);
    on(ToolButton9, &TForm1::ToolButton9Click);
    on(ToolButton10, &TForm1::ToolButton10Click);
    on(ToolButton11, &TForm1::ToolButton11Click);
    on(ToolButton12, &TForm1::ToolButton12Click);
}

void TForm1::FormCreate()
{
    try {
        for (int column = 0; column <= 48; ++column)
            for (int row = 0; row <= 4000; ++row)
                document_.releaseCellInfo(column, row);
        document_.clearRecordTrailers();
        document_.setDocumentOpen(false);

        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
        }
        adifFile_ = std::make_unique<AdifFile>();
        placeStatusPanels();
        setWindowTitle("File viewer/editor for amateur radio data in '.adi' file format");

        document_.setSize(0, 0);
        gridModel_->reload();
        StringGrid1->hide();
        for (QWidget *widget : std::initializer_list<QWidget *>{RichEdit2, Shape4, Shape5, Shape6,
                                                                Shape7, StatusBar2, RichEdit1, Panel1})
            widget->hide();
        SetChangeLight(false);
        SetDocumentButtons(false);

        Label3->setText(kNoticeText);
        Label3->adjustSize();
        Label3->hide();  // the legend shows with the light it explains
        Shape1->move(Shape1->x(), Label3->y());
        Shape2->move(Shape2->x(), Label3->y() - 1);
        FormResize();
    } catch (...) {
    }
}

void TForm1::placeStatusPanels()
{
    const int width = client->width() > 0 ? client->width() : kStartWidth;
    statusPanels[0]->setFixedWidth(90);
    // Two fifths of the window, but never so narrow that its message is cut.
    statusPanels[1]->setFixedWidth(
        std::max((width / 5) * 2 - 5, statusPanels[1]->fontMetrics().horizontalAdvance(
                                          statusPanels[1]->text()) + 12));
}

void TForm1::FormResize()
{
    try {
        // The rule is about the outer size, frame and title bar included.
        const QRect outer = frameGeometry();
        if (outer.height() <= kSmallestLaidOut || outer.width() <= kSmallestLaidOut)
            return;
        const int W = client->width();
        const int H = client->height();
        ToolBar1->setGeometry(0, 0, W, ToolBar1->sizeHint().height());
        const int T = ToolBar1->height();

        StringGrid1->setGeometry(4, ToolBar1->y() + T, W - 8, (H - T) * 25 / 40);
        const int reportTop = StringGrid1->y() + StringGrid1->height() + 10;
        RichEdit1->setGeometry(4, reportTop, W / 2 - 8, (H - T) * 9 / 40 - 2);
        RichEdit2->setGeometry(RichEdit1->x() + RichEdit1->width() + 2, RichEdit1->y(),
                               W - (RichEdit1->width() + 9), RichEdit1->height());
        Shape4->setGeometry(RichEdit2->x() - 1, RichEdit2->y(), 1, RichEdit2->height());
        const int statusHeight = StatusBar2->sizeHint().height();
        StatusBar2->setGeometry(0, H - statusHeight, W - 2, statusHeight);
        Shape5->setGeometry(RichEdit1->x(), RichEdit1->y() + RichEdit1->height(), W - 8, 1);
        Shape6->setGeometry(Shape5->x(), RichEdit1->y() - 1, Shape5->width() - 1, 1);
        Shape7->setGeometry(Shape5->x(), RichEdit1->y() + RichEdit1->height() + 1,
                            Shape5->width() - 1, 1);
        Label3->move(W - (Label3->width() + 8), RichEdit1->y() + RichEdit1->height() + 10);
        Shape1->move(Label3->x() - Shape1->width() - 6, Label3->y());
        Shape2->move(Shape1->x() - 1, Label3->y() - 1);
        Shape3->setGeometry(Shape1->x() + Shape1->width() + 1, Label3->y() - 1,
                            std::max(0, W - (Shape1->width() + 14)), Shape2->height());
        Shape3->lower();
        Panel1->setGeometry(1, 0, W - 2, H - statusHeight);
        Image1->setGeometry(0, T, W - 1, H - (T + 1));
        if (!Image1->isHidden() && Image1->pixmap().size() != Image1->size())
            Image1->setPixmap(startupPicture(Image1->size()));
        Label1->move((W - Label1->width()) / 2, H / 2);
        Label1->resize(Label1->width(), H / 2);
        placeStatusPanels();
    } catch (...) {
    }
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

bool TForm1::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return handled;
}

void TForm1::FormActivate()
{
    try {
        Image1->resize(client->width() - 1, client->height() - (ToolBar1->height() + 1));
        const int major = platform_.osMajorVersion();
        const DriveType drive = platform_.driveTypeOf(platform_.currentDirectory());
        if (drive != DriveType::Removable && drive != DriveType::Fixed
            && drive != DriveType::Remote && drive != DriveType::ReadOnly) {
            ShowMessageBox("Problem:",
                           "You are attempting to run the program from a CDROM-DISK.  Please move "
                           "the program to a hard drive directory and re-run it. ");
            close();
        } else if (major >= 5) {
            if (!EnoughMemory()) {
                ShowMessageBox("Problem:", "Your machine does not have enough memory to run this "
                                           "program efficiently . Program will end.");
                close();
            }
        } else {
            ShowMessageBox("Problem:", "This program is for Windows 2000, Windows XP, or greater "
                                       "Operating Systems only!");
            close();
        }
    } catch (...) {
        ShowMessageBox("Problem:", "Could not initialize program.");
        close();
    }
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}

bool TForm1::FormCloseQuery()
{
    try {
        if (exportInProgress_)
            return false;
        if (changeLightYellow()) {
            if (!platform_.confirm(this, "Your data has not been saved by exporting it to a file. "
                                         "\r\n Do you wish to save your data now?"))
                return true;
            return SaveToNewFile();
        }
        return true;
    } catch (...) {
        return true;
    }
}

void TForm1::FormClose()
{
    try {
        document_.setDocumentOpen(false);
        ClearGrid();
        adifFile_.reset();
        if (searchWindow_)
            searchWindow_->hide();
        QCoreApplication::quit();
    } catch (...) {
    }
}

void TForm1::Exit1Click() { close(); }

void TForm1::CloseCurrent1Click()
{
    try {
        bool goOn = true;
        if (changeLightYellow()) {
            if (platform_.confirm(this, "Your current data has not been saved by exporting it to a "
                                        "file. \r\n Do you wish to save your data now?"))
                goOn = SaveToNewFile();
        }
        if (!goOn) {
            ShowMessageBox("Problem:", "Could not close the current session");
            return;
        }
        ResetDocument();
        for (QWidget *widget : std::initializer_list<QWidget *>{StringGrid1, RichEdit2, Shape4,
                                                                Shape5, Shape6, Shape7, RichEdit1})
            widget->hide();
        SetChangeLight(false, kGreen);
        for (int panel = 0; panel < 3; ++panel)
            setStatusText(panel, "");
    } catch (...) {
        ShowMessageBox("Problem:", "Could not close current session");
    }
}

void TForm1::SetDocumentMenus(bool enabled)
{
    for (QMenu *menu : {File1, Layout1, Format1, Help1}) {
        for (QAction *item : menu->actions()) {
            if (item == Open1 || item == New1 || item == Exit1)
                continue;
            item->setEnabled(enabled);
        }
    }
}

void TForm1::SetDocumentButtons(bool enabled)
{
    for (QAction *button : {ToolButton2, ToolButton5, ToolButton6, ToolButton7, ToolButton8,
                            ToolButton10, ToolButton11, ToolButton12})
        button->setEnabled(enabled);
}

void TForm1::ShowMessageBox(const std::string &header, const std::string &text)
{
    try {
        platform_.showMessageBox(this, header, text);
    } catch (...) {
    }
}

void TForm1::SetChangeLight(bool visible, const QColor &color)
{
    try {
        for (ShapeWidget *shape : {Shape1, Shape2, Shape3})
            shape->setVisible(visible);
        if (color.isValid())
            Shape1->setBrushColor(color);
        Shape1->repaint();
    } catch (...) {
        ShowMessageBox("Problem:", "Problem with setup of change-light");
    }
}

bool TForm1::changeLightYellow() const { return Shape1->brushColor() == kYellow; }

bool TForm1::changeLightVisible() const { return !Shape1->isHidden(); }

void TForm1::MarkDataChanged()
{
    document_.setUnsavedChanges(true);
    try {
        Shape1->setBrushColor(kYellow);
        setLoadReport("Statistics refreshed on reload");
        RichEdit1->repaint();
        setSourceView("");
    } catch (...) {
    }
}

std::string TForm1::caption() const { return fromQt(windowTitle()); }

std::string TForm1::statusText(int panel) const
{
    return fromQt(statusPanels[panel]->text());
}

void TForm1::setStatusText(int panel, const std::string &text)
{
    statusPanels[panel]->setText(toQt(text));
    if (panel == 1)
        placeStatusPanels();
}

}  // namespace vaziduvu
