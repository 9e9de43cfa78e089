#pragma once

#include "adif/adif_mode.h"
#include "export/export_host.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QDialog;
class QFont;
class QWidget;

namespace vaziduvu {

struct MemoryStatus {
    bool ok = false;  // false: the query failed
    uint64_t availablePhysical = 0;
    uint64_t totalPhysical = 0;
    uint64_t availableVirtual = 0;
    uint64_t availablePageFile = 0;
};

// The answers of a question that may also be put off.
enum class LaterAnswer { Yes, No, Later };

struct FileDialogOptions {
    std::string defaultExtension;  // without the dot, e.g. "adi"
    std::string filter;            // "'.ADI' files (*.adi)|*.ADI|..." pairs
    std::string initialDirectory;
    bool mustExist = false;
};

// Every operation the program needs from the operating system and from the
// widget toolkit. All modal interaction goes through here, so tests can
// answer questions, pick files and press OK without a person. Texts are
// single-byte (Latin-1) strings, or UTF-8 while the window shows a UTF-8 log
// (see setTextEncoding).
// The property that lets a widget take clicks and keys during a long
// operation (see Platform::processEvents): widget->setProperty(kAnswersDuringWork, true).
inline constexpr char kAnswersDuringWork[] = "answersDuringWork";

class Platform {
public:
    virtual ~Platform() = default;

    // The encoding of the texts handed to the message boxes and the input box
    // and returned by it: the open log's, so a comment or a value quoted in a
    // message reads as in the grid. Set by the window with every load and
    // reset.
    void setTextEncoding(TextEncoding encoding) { textEncoding_ = encoding; }
    TextEncoding textEncoding() const { return textEncoding_; }

    // --- modal interaction --------------------------------------------------
    // The program's own message box: caption "Morv Edit!", bold header line,
    // word-wrapped text, one OK button. A fresh box for every call.
    virtual void showMessageBox(QWidget *owner, const std::string &header, const std::string &text)
        = 0;
    // A command that failed: the message box, with the reason the failure
    // gave (an exception's words) below the message when there is one.
    virtual void showFailure(QWidget *owner, const std::string &header, const std::string &text,
                             const std::string &reason)
    {
        showMessageBox(owner, header, reason.empty() ? text : text + "\r\n\r\n(" + reason + ")");
    }
    // The standard one-button box captioned with the application title.
    virtual void showPlainMessage(QWidget *owner, const std::string &text) = 0;
    // Yes/No question; true only for Yes.
    virtual bool confirm(QWidget *owner, const std::string &text) = 0;
    // Yes/No/Later question; closing the box is Later, which changes nothing.
    virtual LaterAnswer askYesNoLater(QWidget *owner, const std::string &text) = 0;
    // Chosen path, or nullopt when cancelled.
    virtual std::optional<std::string> chooseOpenFile(QWidget *owner,
                                                      const FileDialogOptions &options)
        = 0;
    virtual std::optional<std::string> chooseSaveFile(QWidget *owner,
                                                      const FileDialogOptions &options)
        = 0;
    // Font dialog limited to the sizes given; nullopt when cancelled.
    virtual std::optional<QFont> chooseFont(QWidget *owner, const QFont &initial, int minSize,
                                            int maxSize)
        = 0;
    // Input box: OK returns the edited text, Cancel the default text.
    virtual std::string inputBox(QWidget *owner, const std::string &caption,
                                 const std::string &prompt, const std::string &defaultText)
        = 0;
    // Runs a dialog modally and returns its result (QDialog::Accepted ...).
    virtual int runModal(QDialog &dialog) = 0;
    // Shows the program's help at a context; false when it cannot be shown.
    virtual bool showHelp(QWidget *owner, const std::string &helpFile, int context) = 0;

    // --- busy indication and event pumping -------------------------------
    virtual void beginBusyCursor() = 0;
    virtual void endBusyCursor() = 0;
    // Lets the window paint and answer while a long operation runs. Clicks
    // and keys reach only widgets marked with kAnswersDuringWork (and their
    // children), such as the progress panel's Stop button: no other command
    // can change the grid under a running operation.
    virtual void processEvents() = 0;

    // --- system services -------------------------------------------------
    virtual MemoryStatus memoryStatus() = 0;
    // Free bytes on the file system of the folder; nullopt when unknown.
    virtual std::optional<uint64_t> freeDiskSpace(const std::string &folder) = 0;
    virtual DriveType driveTypeOf(const std::string &path) = 0;
    virtual int osMajorVersion() = 0;
    // Empty when it cannot be read.
    virtual std::string currentDirectory() = 0;
    virtual bool fileExists(const std::string &path) = 0;
    // Today in the user's short date format.
    virtual std::string shortDateToday() = 0;
    virtual int currentYear() = 0;

private:
    TextEncoding textEncoding_ = TextEncoding::Latin1;
};

}  // namespace vaziduvu
