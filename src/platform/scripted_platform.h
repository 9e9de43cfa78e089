#pragma once

#include "platform/platform.h"

#include <QFont>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vaziduvu {

// A platform for tests: no window ever opens. Every interaction is recorded
// in order, and each kind of question is answered from its own queue of
// scripted answers (first in, first out); an empty queue gives the cautious
// answer (No, Cancel, the default text, Rejected). The system services are
// plain fields a test may set.
class ScriptedPlatform : public Platform {
public:
    enum class EventKind {
        MessageBox,     // header, text
        PlainMessage,   // text
        Confirm,        // text
        LaterQuestion,  // text (Yes/No/Later)
        OpenDialog,     // fileOptions
        SaveDialog,     // fileOptions
        FontDialog,     // header: the initial font's family; text: "<minSize>-<maxSize>"
        InputBox,       // header: caption; text: prompt; defaultText
        Modal,          // objectName, windowTitle of the dialog
        Help,           // header: help file; text: the context number
    };

    struct Event {
        EventKind kind;
        std::string header;
        std::string text;
        FileDialogOptions fileOptions;
        std::string defaultText;
        std::string objectName;
        std::string windowTitle;
        std::string reason;  // of a failure's message box
    };

    using ModalHandler = std::function<int(QDialog &)>;

    ScriptedPlatform();

    // --- scripted answers -------------------------------------------------
    void queueConfirm(bool yes) { confirmAnswers_.push_back(yes); }
    // An empty queue answers Later.
    void queueLaterAnswer(LaterAnswer answer) { laterAnswers_.push_back(answer); }
    // Answers the open and the save dialog alike; nullopt is Cancel.
    void queueFileName(std::optional<std::string> path) { fileAnswers_.push_back(std::move(path)); }
    void queueFont(std::optional<QFont> font) { fontAnswers_.push_back(std::move(font)); }
    // nullopt is Cancel (the input box then returns its default text).
    void queueInput(std::optional<std::string> text) { inputAnswers_.push_back(std::move(text)); }
    // The handler may fill the dialog's widgets and call accept() or done();
    // its return value is what runModal returns.
    void queueModal(ModalHandler handler) { modalHandlers_.push_back(std::move(handler)); }
    void queueHelpResult(bool shown) { helpResults_.push_back(shown); }

    // --- recorded interaction --------------------------------------------
    const std::vector<Event> &events() const { return events_; }
    std::vector<Event> eventsOfKind(EventKind kind) const;
    // "header|text" of every MessageBox event, in order.
    std::vector<std::string> messages() const;
    // Text of every PlainMessage event, in order.
    std::vector<std::string> plainMessages() const;
    void clearEvents() { events_.clear(); }

    int busyBegins() const { return busyBegins_; }
    int busyEnds() const { return busyEnds_; }
    bool busyBalanced() const { return busyBegins_ == busyEnds_; }
    int processEventsCalls() const { return processEventsCalls_; }

    // --- system services (settable) --------------------------------------
    MemoryStatus memory;
    std::optional<uint64_t> freeDisk = uint64_t(500) * 1000 * 1000 * 1000;
    DriveType driveType = DriveType::Fixed;
    int osMajor = 10;
    std::string currentDirectoryText;  // defaults to the real current directory
    // When set, answers fileExists; otherwise the real file system does.
    std::function<bool(const std::string &)> fileExistsOverride;
    std::string shortDate = "12/8/26";
    int year = 2026;

    // --- Platform ---------------------------------------------------------
    void showMessageBox(QWidget *owner, const std::string &header,
                        const std::string &text) override;
    void showFailure(QWidget *owner, const std::string &header, const std::string &text,
                     const std::string &reason) override;
    void showPlainMessage(QWidget *owner, const std::string &text) override;
    bool confirm(QWidget *owner, const std::string &text) override;
    LaterAnswer askYesNoLater(QWidget *owner, const std::string &text) override;
    std::optional<std::string> chooseOpenFile(QWidget *owner,
                                              const FileDialogOptions &options) override;
    std::optional<std::string> chooseSaveFile(QWidget *owner,
                                              const FileDialogOptions &options) override;
    std::optional<QFont> chooseFont(QWidget *owner, const QFont &initial, int minSize,
                                    int maxSize) override;
    std::string inputBox(QWidget *owner, const std::string &caption, const std::string &prompt,
                         const std::string &defaultText) override;
    int runModal(QDialog &dialog) override;
    bool showHelp(QWidget *owner, const std::string &helpFile, int context) override;

    void beginBusyCursor() override { ++busyBegins_; }
    void endBusyCursor() override { ++busyEnds_; }
    void processEvents() override
    {
        ++processEventsCalls_;
        if (afterProcessEvents)
            afterProcessEvents();
    }
    // Runs where the real platform would let pending events run (tests look
    // at the window in the middle of a long command).
    std::function<void()> afterProcessEvents;

    MemoryStatus memoryStatus() override { return memory; }
    std::optional<uint64_t> freeDiskSpace(const std::string &) override { return freeDisk; }
    DriveType driveTypeOf(const std::string &) override { return driveType; }
    int osMajorVersion() override { return osMajor; }
    std::string currentDirectory() override { return currentDirectoryText; }
    bool fileExists(const std::string &path) override;
    std::string shortDateToday() override { return shortDate; }
    int currentYear() override { return year; }

private:
    template <typename T> static std::optional<T> take(std::deque<T> &queue)
    {
        if (queue.empty())
            return std::nullopt;
        T front = std::move(queue.front());
        queue.pop_front();
        return front;
    }
    Event &record(EventKind kind, std::string header = {}, std::string text = {});

    std::vector<Event> events_;
    std::deque<bool> confirmAnswers_;
    std::deque<LaterAnswer> laterAnswers_;
    std::deque<std::optional<std::string>> fileAnswers_;
    std::deque<std::optional<QFont>> fontAnswers_;
    std::deque<std::optional<std::string>> inputAnswers_;
    std::deque<ModalHandler> modalHandlers_;
    std::deque<bool> helpResults_;
    int busyBegins_ = 0;
    int busyEnds_ = 0;
    int processEventsCalls_ = 0;
};

}  // namespace vaziduvu
