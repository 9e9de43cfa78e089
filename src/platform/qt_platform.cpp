#include "platform/qt_platform.h"

#include "platform/latin1_text.h"

#include "platform/help_window.h"
#include "platform/message_box_dialog.h"
#include "platform/system_info.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QWindow>

#include <algorithm>

namespace vaziduvu {

namespace {

QString fromBytes(const std::string &text, TextEncoding encoding = TextEncoding::Latin1)
{
    if (encoding == TextEncoding::Utf8)
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

std::string toBytes(const QString &text)
{
    return text.toLatin1().toStdString();
}

QString pathFromBytes(const std::string &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string pathToBytes(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// "xml" of "XML files (*.xml *.XML)"; empty when the first pattern has no
// plain extension ("*").
QString firstExtensionOf(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

// Patterns of one filter entry, each also in lower and upper case, without
// repeats, in the order given.
QStringList casedPatterns(const QString &patternList)
{
    QStringList result;
    const QStringList patterns = patternList.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &raw : patterns) {
        const QString pattern = raw.trimmed();
        if (pattern.isEmpty())
            continue;
        for (const QString &variant : {pattern.toLower(), pattern.toUpper(), pattern}) {
            if (!result.contains(variant))
                result.append(variant);
        }
    }
    return result;
}

// The grid's font: fixed-pitch families only, so the load report's columns
// keep lining up, and only the sizes the program accepts.
class FontChoiceDialog : public QDialog {
public:
    FontChoiceDialog(const QFont &initial, QWidget *parent, int minSize, int maxSize)
        : QDialog(parent)
    {
        setObjectName(QStringLiteral("fontDialog"));
        setWindowTitle(QStringLiteral("Font"));
        family_ = new QFontComboBox(this);
        family_->setObjectName(QStringLiteral("fontFamily"));
        family_->setFontFilters(QFontComboBox::MonospacedFonts);
        family_->setCurrentFont(initial);
        // A family outside the list (the program's own, proportional one)
        // gives way to the system's fixed-pitch font.
        if (family_->findText(initial.family()) < 0) {
            const QString fixed
                = QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
            family_->setCurrentIndex(std::max(0, family_->findText(fixed)));
        }
        size_ = new QComboBox(this);
        size_->setObjectName(QStringLiteral("fontSize"));
        for (int size = minSize; size <= maxSize; ++size)
            size_->addItem(QString::number(size), size);
        // A font set in pixels has no point size of its own: ask what it is.
        const int points
            = initial.pointSize() > 0 ? initial.pointSize() : QFontInfo(initial).pointSize();
        const int initialSize = std::clamp(points, minSize, maxSize);
        size_->setCurrentIndex(initialSize - minSize);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto *form = new QFormLayout(this);
        form->addRow(QStringLiteral("&Font:"), family_);
        form->addRow(QStringLiteral("&Size:"), size_);
        form->addRow(buttons);
    }

    QFont selectedFont() const
    {
        QFont font = family_->currentFont();
        font.setPointSize(size_->currentData().toInt());
        return font;
    }

private:
    QFontComboBox *family_;
    QComboBox *size_;
};

std::optional<std::string> runFileDialog(QWidget *owner, const FileDialogOptions &options,
                                         bool save)
{
    QFileDialog dialog(owner, save ? QStringLiteral("Save As") : QStringLiteral("Open"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The program refuses every existing name itself.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    const QStringList filters = toQtNameFilters(options.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    std::string suffix = options.defaultExtension;
    if (!suffix.empty() && suffix.front() == '.')
        suffix.erase(0, 1);
    if (!suffix.empty())
        dialog.setDefaultSuffix(fromBytes(suffix));
    if (!options.initialDirectory.empty())
        dialog.setDirectory(pathFromBytes(options.initialDirectory));
    // A name typed without an extension gets the one of the file type
    // chosen in the dialog.
    if (save) {
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString &filter) {
                             const QString extension = firstExtensionOf(filter);
                             if (!extension.isEmpty())
                                 dialog.setDefaultSuffix(extension);
                         });
    }

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    return pathToBytes(chosen.first());
}

}  // namespace

QStringList toQtNameFilters(std::string_view filter)
{
    const QStringList parts
        = QString::fromLatin1(filter.data(), qsizetype(filter.size())).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        QString patternList = i + 1 < parts.size() ? parts.at(i + 1) : QString();

        // The description may already name its patterns in parentheses;
        // the dialog takes the patterns from there, so they are rebuilt.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (description.endsWith(QLatin1Char(')')) && open >= 0
            && description.indexOf(QLatin1Char('*'), open) >= 0) {
            if (patternList.trimmed().isEmpty())
                patternList = description.mid(open + 1, description.size() - open - 2)
                                  .replace(QLatin1Char(' '), QLatin1Char(';'));
            description = description.left(open).trimmed();
        }
        const QStringList patterns = casedPatterns(patternList);
        if (patterns.isEmpty())
            continue;
        if (description.isEmpty())
            result.append(patterns.join(QLatin1Char(' ')));
        else
            result.append(description + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
                          + QLatin1Char(')'));
    }
    return result;
}

QtPlatform::QtPlatform(QString helpDirectory)
    : helpDirectory_(std::move(helpDirectory))
{
    if (helpDirectory_.isEmpty()) {
        // Beside the program in the build tree; under share/ once installed.
        const QString programFolder = QCoreApplication::applicationDirPath();
        helpDirectory_ = programFolder + QStringLiteral("/help");
        const QString installed = programFolder + QStringLiteral("/../share/vaziduvu/help");
        if (!QFileInfo::exists(helpDirectory_) && QFileInfo::exists(installed))
            helpDirectory_ = QDir::cleanPath(installed);
    }
}

QtPlatform::~QtPlatform()
{
    if (!QCoreApplication::instance())
        return;
    while (busyDepth_ > 0)
        endBusyCursor();
    delete helpWindow_.data();
}

void QtPlatform::showMessageBox(QWidget *owner, const std::string &header, const std::string &text)
{
    try {
        MessageBoxDialog box(owner);
        box.setHeader(fromBytes(header, textEncoding()));
        box.setMessage(fromBytes(text, textEncoding()));
        box.exec();
    } catch (...) {  // the edge of every message: one that cannot be shown
        // must not stop the caller.
    }
}

void QtPlatform::showPlainMessage(QWidget *owner, const std::string &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle),
                    fromBytes(text, textEncoding()), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtPlatform::confirm(QWidget *owner, const std::string &text)
{
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kApplicationTitle),
                    fromBytes(text, textEncoding()), QMessageBox::Yes | QMessageBox::No, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

LaterAnswer QtPlatform::askYesNoLater(QWidget *owner, const std::string &text)
{
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kApplicationTitle),
                    fromBytes(text, textEncoding()), QMessageBox::Yes | QMessageBox::No, owner);
    box.setTextFormat(Qt::PlainText);
    QAbstractButton *later = box.addButton(QStringLiteral("&Later"), QMessageBox::RejectRole);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Yes))
        return LaterAnswer::Yes;
    if (box.clickedButton() == box.button(QMessageBox::No))
        return LaterAnswer::No;
    return LaterAnswer::Later;
}

std::optional<std::string> QtPlatform::chooseOpenFile(QWidget *owner,
                                                      const FileDialogOptions &options)
{
    return runFileDialog(owner, options, false);
}

std::optional<std::string> QtPlatform::chooseSaveFile(QWidget *owner,
                                                      const FileDialogOptions &options)
{
    return runFileDialog(owner, options, true);
}

std::optional<QFont> QtPlatform::chooseFont(QWidget *owner, const QFont &initial, int minSize,
                                            int maxSize)
{
    if (minSize > maxSize)
        std::swap(minSize, maxSize);
    FontChoiceDialog dialog(initial, owner, minSize, maxSize);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

std::string QtPlatform::inputBox(QWidget *owner, const std::string &caption,
                                 const std::string &prompt, const std::string &defaultText)
{
    QInputDialog dialog(owner);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(fromBytes(caption, textEncoding()));
    dialog.setLabelText(fromBytes(prompt, textEncoding()));
    dialog.setTextValue(fromBytes(defaultText, textEncoding()));
    if (auto *label = dialog.findChild<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    // An entry the log cannot hold is refused with its characters named,
    // and the box comes back with the text as typed.
    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return defaultText;
        if (textEncoding() == TextEncoding::Utf8)
            return dialog.textValue().toUtf8().toStdString();
        const std::string outside = charactersOutsideLatin1(dialog.textValue());
        if (outside.empty())
            return toBytes(dialog.textValue());
        showPlainMessage(owner, outsideLatin1Message(outside));
    }
}

int QtPlatform::runModal(QDialog &dialog)
{
    return dialog.exec();
}

QString QtPlatform::helpPagePath(const std::string &helpFile) const
{
    const QString baseName = QFileInfo(fromBytes(helpFile)).completeBaseName().toLower();
    return helpDirectory_ + QLatin1Char('/') + baseName + QStringLiteral(".html");
}

HelpWindow *QtPlatform::helpWindow() const
{
    return helpWindow_.data();
}

bool QtPlatform::showHelp(QWidget *owner, const std::string &helpFile, int context)
{
    try {
        const QString page = helpPagePath(helpFile);
        if (!QFileInfo(page).isFile())
            return false;
        if (!helpWindow_)
            helpWindow_ = new HelpWindow(owner ? owner->window() : nullptr);
        return helpWindow_->showPage(page, QStringLiteral("context-%1").arg(context));
    } catch (...) {  // the help window's boundary: no help is a failure to report
        return false;
    }
}

void QtPlatform::beginBusyCursor()
{
    if (busyDepth_++ == 0)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPlatform::endBusyCursor()
{
    if (busyDepth_ == 0)
        return;
    if (--busyDepth_ == 0)
        QGuiApplication::restoreOverrideCursor();
}

namespace {

// Swallows the clicks and keys meant for anything but the widgets that
// answer during a long operation. Events on their way to a window pass:
// the window hands them on to a widget, where they are judged.
class InputGuard : public QObject {
public:
    InputGuard() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputGuard() override { QCoreApplication::instance()->removeEventFilter(this); }
    InputGuard(const InputGuard &) = delete;
    InputGuard &operator=(const InputGuard &) = delete;

    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (!isUserInput(event->type()) || qobject_cast<QWindow *>(receiver) != nullptr)
            return false;
        // A dialog the operation itself shows must be answerable.
        const QWidget *modal = QApplication::activeModalWidget();
        const auto *widget = qobject_cast<const QWidget *>(receiver);
        if (modal != nullptr && widget != nullptr && widget->window() == modal)
            return false;
        for (QObject *object = receiver; object != nullptr; object = object->parent()) {
            if (object->property(kAnswersDuringWork).toBool())
                return false;
        }
        return true;
    }

private:
    static bool isUserInput(QEvent::Type type)
    {
        switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            return false;
        }
    }
};

}  // namespace

void QtPlatform::processEvents()
{
    // Repaints, close requests and the Stop button run while an operation
    // works; every other click and key is dropped, so no command can
    // change the grid under it.
    const InputGuard guard;
    QCoreApplication::processEvents();
}

MemoryStatus QtPlatform::memoryStatus()
{
    return readMemoryStatus();
}

std::optional<uint64_t> QtPlatform::freeDiskSpace(const std::string &folder)
{
    return freeBytesOf(folder);
}

DriveType QtPlatform::driveTypeOf(const std::string &path)
{
    return driveTypeOfPath(path);
}

int QtPlatform::osMajorVersion()
{
    return kernelMajorVersion();
}

std::string QtPlatform::currentDirectory()
{
    return workingDirectory();
}

bool QtPlatform::fileExists(const std::string &path)
{
    return pathExists(path);
}

std::string QtPlatform::shortDateToday()
{
    const QLocale locale = QLocale::system();
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (format.isEmpty())
        format = QStringLiteral("M/d/yy");
    return toBytes(locale.toString(QDate::currentDate(), format));
}

int QtPlatform::currentYear()
{
    return QDate::currentDate().year();
}

}  // namespace vaziduvu
