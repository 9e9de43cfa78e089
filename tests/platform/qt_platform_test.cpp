#include "platform/qt_platform.h"

#include "modal_helper.h"
#include "platform/help_window.h"
#include "platform/message_box_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <string>
#include <vector>

#include <unistd.h>

namespace vaziduvu {
namespace {

using test::whenModalShown;

// --- file dialog filters ---------------------------------------------------------

struct FilterCase {
    const char *name;
    std::string filter;
    QStringList expected;
};

class NameFilterTest : public ::testing::TestWithParam<FilterCase> { };

TEST_P(NameFilterTest, ConvertsPairsAndOffersBothCases)
{
    EXPECT_EQ(toQtNameFilters(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    QtPlatform, NameFilterTest,
    ::testing::Values(
        FilterCase{"OpenDialog",
                   "'.ADI' files (*.adi)|*.ADI|'.BADI' files (*.badi)|*.BADI",
                   {QStringLiteral("'.ADI' files (*.adi *.ADI)"),
                    QStringLiteral("'.BADI' files (*.badi *.BADI)")}},
        FilterCase{"SeveralPatterns",
                   "Export files|*.adi;*.xml;*.html",
                   {QStringLiteral("Export files (*.adi *.ADI *.xml *.XML *.html *.HTML)")}},
        FilterCase{"MixedCaseKept",
                   "Logs|Log*.Adi",
                   {QStringLiteral("Logs (log*.adi LOG*.ADI Log*.Adi)")}},
        FilterCase{"AllFiles", "All files (*.*)|*.*", {QStringLiteral("All files (*.*)")}},
        FilterCase{"ParenthesesThatAreNotPatterns",
                   "Logs (ADIF)|*.adi",
                   {QStringLiteral("Logs (ADIF) (*.adi *.ADI)")}},
        FilterCase{"PatternOnlyInDescription",
                   "'.ADI' files (*.adi)",
                   {QStringLiteral("'.ADI' files (*.adi *.ADI)")}},
        FilterCase{"EmptyPatternSkipped",
                   "Nothing||'.ADI' files|*.adi",
                   {QStringLiteral("'.ADI' files (*.adi *.ADI)")}},
        FilterCase{"Empty", "", {}}),
    [](const auto &info) { return std::string(info.param.name); });

// --- message boxes -----------------------------------------------------------------

// While a long operation pumps events, only what answers during it (the
// Stop button) takes clicks and keys; afterwards the window answers again.
TEST(QtPlatform, PumpedEventsReachOnlyWhatAnswersDuringWork)
{
    QWidget window;
    auto *panel = new QWidget(&window);
    panel->setProperty(kAnswersDuringWork, true);
    auto *stop = new QPushButton(QStringLiteral("Stop"), panel);
    auto *other = new QPushButton(QStringLiteral("Other"), &window);
    other->move(0, 60);
    window.resize(200, 120);
    window.show();
    int stops = 0;
    int others = 0;
    QObject::connect(stop, &QPushButton::clicked, [&] { ++stops; });
    QObject::connect(other, &QPushButton::clicked, [&] { ++others; });
    const auto clickAndPressSpace = [](QPushButton *button) {
        const QPointF centre = QRectF(button->rect()).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(
                button,
                new QMouseEvent(type, centre, button->mapToGlobal(centre), Qt::LeftButton,
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                Qt::NoModifier));
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(
                button, new QKeyEvent(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
    };

    QtPlatform platform;
    clickAndPressSpace(stop);
    clickAndPressSpace(other);
    platform.processEvents();
    EXPECT_EQ(stops, 2);
    EXPECT_EQ(others, 0);

    clickAndPressSpace(other);
    QCoreApplication::processEvents();
    EXPECT_EQ(others, 2);
}

TEST(QtPlatform, EveryMessageGetsAFreshBoxDestroyedAfterwards)
{
    QtPlatform platform;
    std::vector<QPointer<QWidget>> shown;
    std::vector<QString> headers;
    std::vector<QString> texts;
    for (int i = 0; i < 2; ++i) {
        whenModalShown([&](QWidget *modal) {
            shown.emplace_back(modal);
            auto *box = qobject_cast<MessageBoxDialog *>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Morv Edit!"));
            headers.push_back(box->findChild<QLabel *>(QStringLiteral("headerLabel"))->text());
            texts.push_back(box->findChild<QLabel *>(QStringLiteral("messageLabel"))->text());
            box->findChild<QPushButton *>(QStringLiteral("okButton"))->click();
        });
        platform.showMessageBox(nullptr, i == 0 ? "Problem:" : "Information:",
                                i == 0 ? "Could not create new project" : "Done\xE9");
        ASSERT_EQ(shown.size(), size_t(i + 1));
        EXPECT_TRUE(shown.back().isNull()) << "the box outlives its call";
    }
    EXPECT_EQ(headers,
              (std::vector<QString>{QStringLiteral("Problem:"), QStringLiteral("Information:")}));
    EXPECT_EQ(texts,
              (std::vector<QString>{QStringLiteral("Could not create new project"),
                                    QStringLiteral("Done\u00E9")}));
}

TEST(QtPlatform, PlainMessageCarriesTheApplicationTitle)
{
    QtPlatform platform;
    QString title;
    QString text;
    whenModalShown([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        EXPECT_EQ(box->buttons().size(), 1);
        box->button(QMessageBox::Ok)->click();
    });
    platform.showPlainMessage(nullptr, "Field name <CALL> exists");
    EXPECT_EQ(title, QStringLiteral("Editor / Amateur Radio Data"));
    EXPECT_EQ(text, QStringLiteral("Field name <CALL> exists"));
}

struct ConfirmCase {
    const char *name;
    QMessageBox::StandardButton press;  // NoButton: close the box
    bool expected;
};

class ConfirmTest : public ::testing::TestWithParam<ConfirmCase> { };

TEST_P(ConfirmTest, OnlyYesConsents)
{
    QtPlatform platform;
    const ConfirmCase c = GetParam();
    whenModalShown([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Editor / Amateur Radio Data"));
        EXPECT_NE(box->button(QMessageBox::Yes), nullptr);
        EXPECT_NE(box->button(QMessageBox::No), nullptr);
        if (c.press == QMessageBox::NoButton)
            box->reject();
        else
            box->button(c.press)->click();
    });
    EXPECT_EQ(platform.confirm(nullptr, "Save your data now?"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(QtPlatform, ConfirmTest,
                         ::testing::Values(ConfirmCase{"Yes", QMessageBox::Yes, true},
                                           ConfirmCase{"No", QMessageBox::No, false},
                                           ConfirmCase{"Closed", QMessageBox::NoButton, false}),
                         [](const auto &info) { return std::string(info.param.name); });

// --- input box ---------------------------------------------------------------------

TEST(QtPlatform, InputBoxReturnsTheEditOrOnCancelTheDefault)
{
    QtPlatform platform;
    for (const bool accept : {true, false}) {
        whenModalShown([&](QWidget *modal) {
            auto *dialog = qobject_cast<QInputDialog *>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Comment"));
            EXPECT_EQ(dialog->labelText(), QStringLiteral("Comment for this cell:"));
            EXPECT_EQ(dialog->textValue(), QStringLiteral("old"));
            dialog->setTextValue(QStringLiteral("new \u00FC"));
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
        EXPECT_EQ(platform.inputBox(nullptr, "Comment", "Comment for this cell:", "old"),
                  accept ? std::string("new \xFC") : std::string("old"));
    }
}

// --- file dialogs --------------------------------------------------------------------

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        QFile existing(dir_.filePath(QStringLiteral("LOG.ADI")));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.close();
        options_.defaultExtension = "adi";
        options_.filter = "'.ADI' files (*.adi)|*.ADI|'.BADI' files (*.badi)|*.BADI";
        options_.initialDirectory = QFile::encodeName(dir_.path()).toStdString();
    }
    QTemporaryDir dir_;
    FileDialogOptions options_;
};

TEST_F(FileDialogTest, SaveDialogNeverAsksAboutAnExistingName)
{
    QtPlatform platform;
    whenModalShown([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("adi"));
        EXPECT_EQ(dialog->nameFilters(), toQtNameFilters(options_.filter));
        EXPECT_EQ(dialog->directory().canonicalPath(), QDir(dir_.path()).canonicalPath());
        dialog->selectFile(dir_.filePath(QStringLiteral("LOG.ADI")));
        static_cast<QDialog *>(dialog)->accept();  // QFileDialog::accept is protected
    });
    const auto chosen = platform.chooseSaveFile(nullptr, options_);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QDir(QFile::decodeName(QByteArray::fromStdString(*chosen))).canonicalPath(),
              QDir(dir_.filePath(QStringLiteral("LOG.ADI"))).canonicalPath());
}

// A name typed without an extension gets the one of the chosen file type.
TEST_F(FileDialogTest, SaveDialogAddsTheChosenTypesExtension)
{
    QtPlatform platform;
    FileDialogOptions options = options_;
    options.filter = "'.ADI' files (*.adi)|*.ADI|XML files (*.xml)|*.XML";
    whenModalShown([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectNameFilter(dialog->nameFilters().at(1));
        emit dialog->filterSelected(dialog->nameFilters().at(1));
        dialog->selectFile(dir_.filePath(QStringLiteral("mylog")));
        static_cast<QDialog *>(dialog)->accept();
    });
    const auto chosen = platform.chooseSaveFile(nullptr, options);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QFileInfo(QString::fromStdString(*chosen)).fileName(), QStringLiteral("mylog.xml"));
}

TEST_F(FileDialogTest, OpenDialogWantsAnExistingFileAndCancelGivesNothing)
{
    QtPlatform platform;
    whenModalShown([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        dialog->reject();
    });
    EXPECT_FALSE(platform.chooseOpenFile(nullptr, options_).has_value());

    whenModalShown([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(dir_.filePath(QStringLiteral("LOG.ADI")));
        static_cast<QDialog *>(dialog)->accept();  // QFileDialog::accept is protected
    });
    const auto chosen = platform.chooseOpenFile(nullptr, options_);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(
        *chosen,
        QFile::encodeName(QFileInfo(dir_.filePath(QStringLiteral("LOG.ADI"))).absoluteFilePath())
            .toStdString());
}

// --- help ------------------------------------------------------------------------------

TEST(QtPlatform, HelpPageNameFollowsTheHelpFileName)
{
    QtPlatform platform(QStringLiteral("/opt/vaziduvu/help"));
    EXPECT_EQ(platform.helpPagePath("VAZIDUVU.HLP"),
              QStringLiteral("/opt/vaziduvu/help/vaziduvu.html"));
    QtPlatform besideProgram;
    EXPECT_EQ(besideProgram.helpPagePath("VAZIDUVU.HLP"),
              QCoreApplication::applicationDirPath() + QStringLiteral("/help/vaziduvu.html"));
}

TEST(QtPlatform, MissingHelpFileIsReportedAsFailure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QtPlatform platform(dir.path());
    EXPECT_FALSE(platform.showHelp(nullptr, "VAZIDUVU.HLP", 100));
    EXPECT_EQ(platform.helpWindow(), nullptr);
}

TEST(QtPlatform, UnreadableHelpFileIsReportedAsFailure)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile page(dir.filePath(QStringLiteral("vaziduvu.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body>help</body></html>");
    page.close();
    ASSERT_TRUE(page.setPermissions(QFileDevice::Permissions()));
    QtPlatform platform(dir.path());
    EXPECT_FALSE(platform.showHelp(nullptr, "VAZIDUVU.HLP", 100));
}

TEST(QtPlatform, HelpOpensOneWindowAtTheContextAnchor)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile page(dir.filePath(QStringLiteral("vaziduvu.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    QByteArray html = "<html><body><h1>Contents</h1>";
    for (int i = 0; i < 300; ++i)
        html += "<p>Line of help text.</p>";
    html += "<h2><a name=\"context-100\"></a>Overview</h2><p>The overview.</p>";
    for (int i = 0; i < 300; ++i)
        html += "<p>More help text.</p>";
    html += "</body></html>";
    page.write(html);
    page.close();

    QtPlatform platform(dir.path());
    ASSERT_TRUE(platform.showHelp(nullptr, "VAZIDUVU.HLP", 100));
    QPointer<HelpWindow> window = platform.helpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vaziduvu Help"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    auto *browser = window->findChild<QTextBrowser *>(QStringLiteral("helpBrowser"));
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("The overview.")));
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);

    browser->verticalScrollBar()->setValue(0);
    ASSERT_TRUE(platform.showHelp(nullptr, "VAZIDUVU.HLP", 100));
    EXPECT_EQ(platform.helpWindow(), window.data());
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);

    // It closes with Escape and with its Close button, as a dialog does.
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(platform.showHelp(nullptr, "VAZIDUVU.HLP", 100));
    window->findChild<QPushButton *>(QStringLiteral("closeButton"))->click();
    EXPECT_FALSE(window->isVisible());
}

// The grid's font: fixed-pitch families and the accepted sizes only.
TEST(QtPlatform, FontDialogOffersFixedPitchFontsAndTheAcceptedSizes)
{
    QtPlatform platform;
    whenModalShown([&](QWidget *modal) {
        auto *sizes = modal->findChild<QComboBox *>(QStringLiteral("fontSize"));
        ASSERT_NE(sizes, nullptr);
        QStringList offered;
        for (int i = 0; i < sizes->count(); ++i)
            offered << sizes->itemText(i);
        EXPECT_EQ(offered, (QStringList{"7", "8", "9", "10", "11"}));
        auto *families = modal->findChild<QFontComboBox *>(QStringLiteral("fontFamily"));
        ASSERT_NE(families, nullptr);
        EXPECT_EQ(families->fontFilters(), QFontComboBox::MonospacedFonts);
        sizes->setCurrentIndex(2);
        static_cast<QDialog *>(modal)->accept();
    });
    QFont start(QStringLiteral("DejaVu Sans"));  // proportional, as the window's own
    start.setPixelSize(11);
    const std::optional<QFont> chosen = platform.chooseFont(nullptr, start, 7, 11);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->pointSize(), 9);
}

// --- busy cursor and system services ------------------------------------------------------

TEST(QtPlatform, NestedBusyCursorsBalance)
{
    QtPlatform platform;
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    platform.beginBusyCursor();
    platform.beginBusyCursor();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.endBusyCursor();
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    platform.endBusyCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    platform.endBusyCursor();  // unmatched: ignored
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtPlatform, SystemServicesAnswerOnThisMachine)
{
    QtPlatform platform;
    EXPECT_TRUE(platform.memoryStatus().ok);
    EXPECT_GE(platform.osMajorVersion(), 5);
    EXPECT_FALSE(platform.currentDirectory().empty());
    EXPECT_TRUE(platform.fileExists(platform.currentDirectory()));
    EXPECT_TRUE(platform.freeDiskSpace(platform.currentDirectory()).has_value());
    EXPECT_NE(platform.driveTypeOf(platform.currentDirectory()), DriveType::Unknown);
    EXPECT_FALSE(platform.shortDateToday().empty());
    EXPECT_EQ(platform.currentYear(), QDate::currentDate().year());
}

}  // namespace
}  // namespace vaziduvu
