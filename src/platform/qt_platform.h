#pragma once

#include "platform/platform.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <string_view>

namespace vaziduvu {

class HelpWindow;

// Caption of the plain message box and of the confirmation box.
inline constexpr char kApplicationTitle[] = "Editor / Amateur Radio Data";

// Name filters for a Qt file dialog from a filter list of
// "description|patterns" pairs ("'.ADI' files (*.adi)|*.ADI|..."), patterns
// separated by ';'. Linux names are case-sensitive, so every pattern is
// offered in lower and upper case as well ("*.adi *.ADI"); the description
// is given the pattern list in parentheses, where the dialog reads it.
QStringList toQtNameFilters(std::string_view filter);

// The program's platform on Linux with Qt 6 Widgets: real dialogs, real
// system queries.
class QtPlatform : public Platform {
public:
    // helpDirectory: folder holding the HTML help pages; empty means the
    // folder "help" beside the executable.
    explicit QtPlatform(QString helpDirectory = QString());
    ~QtPlatform() override;
    QtPlatform(const QtPlatform &) = delete;
    QtPlatform &operator=(const QtPlatform &) = delete;

    void showMessageBox(QWidget *owner, const std::string &header,
                        const std::string &text) override;
    void showPlainMessage(QWidget *owner, const std::string &text) override;
    bool confirm(QWidget *owner, const std::string &text) override;
    LaterAnswer askYesNoLater(QWidget *owner, const std::string &text) override;
    std::optional<std::string> chooseOpenFile(QWidget *owner,
                                              const FileDialogOptions &options) override;
    std::optional<std::string> chooseSaveFile(QWidget *owner,
                                              const FileDialogOptions &options) override;
    // The size list of the font dialog cannot be limited, so an OK with a
    // size outside minSize..maxSize is refused with a notice and the dialog
    // stays open; a font that still arrives outside the range is clamped.
    std::optional<QFont> chooseFont(QWidget *owner, const QFont &initial, int minSize,
                                    int maxSize) override;
    std::string inputBox(QWidget *owner, const std::string &caption, const std::string &prompt,
                         const std::string &defaultText) override;
    int runModal(QDialog &dialog) override;
    // The help file name is mapped to an HTML page of the same base name in
    // the help folder ("VAZIDUVU.HLP" -> help/vaziduvu.html), shown in the
    // help window (one window, reused) at the anchor "context-<n>".
    bool showHelp(QWidget *owner, const std::string &helpFile, int context) override;

    // Nested begin/end pairs keep one wait cursor; an unmatched end is
    // ignored.
    void beginBusyCursor() override;
    void endBusyCursor() override;
    void processEvents() override;

    MemoryStatus memoryStatus() override;
    std::optional<uint64_t> freeDiskSpace(const std::string &folder) override;
    DriveType driveTypeOf(const std::string &path) override;
    // The kernel's major version, never below 5: every Linux the program
    // runs on passes the start-up check for "Windows 2000 or later".
    int osMajorVersion() override;
    std::string currentDirectory() override;
    bool fileExists(const std::string &path) override;
    std::string shortDateToday() override;
    int currentYear() override;

    QString helpPagePath(const std::string &helpFile) const;
    // The help window while it exists (nullptr before the first help).
    HelpWindow *helpWindow() const;

private:
    QString helpDirectory_;
    QPointer<HelpWindow> helpWindow_;
    int busyDepth_ = 0;
};

}  // namespace vaziduvu
