#include "platform/scripted_platform.h"

#include "platform/system_info.h"

#include <QDialog>

namespace vaziduvu {

ScriptedPlatform::ScriptedPlatform()
{
    constexpr uint64_t kGiB = uint64_t(1) << 30;
    memory.ok = true;
    memory.availablePhysical = 8 * kGiB;
    memory.totalPhysical = 16 * kGiB;
    memory.availableVirtual = 64 * kGiB;
    memory.availablePageFile = 12 * kGiB;
    currentDirectoryText = workingDirectory();
}

ScriptedPlatform::Event &ScriptedPlatform::record(EventKind kind, std::string header,
                                                  std::string text)
{
    Event event;
    event.kind = kind;
    event.header = std::move(header);
    event.text = std::move(text);
    events_.push_back(std::move(event));
    return events_.back();
}

std::vector<ScriptedPlatform::Event> ScriptedPlatform::eventsOfKind(EventKind kind) const
{
    std::vector<Event> result;
    for (const Event &event : events_) {
        if (event.kind == kind)
            result.push_back(event);
    }
    return result;
}

std::vector<std::string> ScriptedPlatform::messages() const
{
    std::vector<std::string> result;
    for (const Event &event : events_) {
        if (event.kind == EventKind::MessageBox)
            result.push_back(event.header + "|" + event.text);
    }
    return result;
}

std::vector<std::string> ScriptedPlatform::plainMessages() const
{
    std::vector<std::string> result;
    for (const Event &event : events_) {
        if (event.kind == EventKind::PlainMessage)
            result.push_back(event.text);
    }
    return result;
}

void ScriptedPlatform::showMessageBox(QWidget *, const std::string &header, const std::string &text)
{
    record(EventKind::MessageBox, header, text);
}

void ScriptedPlatform::showFailure(QWidget *, const std::string &header, const std::string &text,
                                   const std::string &reason)
{
    record(EventKind::MessageBox, header, text).reason = reason;
}

void ScriptedPlatform::showPlainMessage(QWidget *, const std::string &text)
{
    record(EventKind::PlainMessage, {}, text);
}

bool ScriptedPlatform::confirm(QWidget *, const std::string &text)
{
    record(EventKind::Confirm, {}, text);
    return take(confirmAnswers_).value_or(false);
}

LaterAnswer ScriptedPlatform::askYesNoLater(QWidget *, const std::string &text)
{
    record(EventKind::LaterQuestion, {}, text);
    return take(laterAnswers_).value_or(LaterAnswer::Later);
}

std::optional<std::string> ScriptedPlatform::chooseOpenFile(QWidget *,
                                                            const FileDialogOptions &options)
{
    record(EventKind::OpenDialog).fileOptions = options;
    return take(fileAnswers_).value_or(std::nullopt);
}

std::optional<std::string> ScriptedPlatform::chooseSaveFile(QWidget *,
                                                            const FileDialogOptions &options)
{
    record(EventKind::SaveDialog).fileOptions = options;
    return take(fileAnswers_).value_or(std::nullopt);
}

std::optional<QFont> ScriptedPlatform::chooseFont(QWidget *, const QFont &initial, int minSize,
                                                  int maxSize)
{
    record(EventKind::FontDialog, initial.family().toLatin1().toStdString(),
           std::to_string(minSize) + "-" + std::to_string(maxSize));
    return take(fontAnswers_).value_or(std::nullopt);
}

std::string ScriptedPlatform::inputBox(QWidget *, const std::string &caption,
                                       const std::string &prompt, const std::string &defaultText)
{
    record(EventKind::InputBox, caption, prompt).defaultText = defaultText;
    return take(inputAnswers_).value_or(std::nullopt).value_or(defaultText);
}

int ScriptedPlatform::runModal(QDialog &dialog)
{
    Event &event = record(EventKind::Modal);
    event.objectName = dialog.objectName().toLatin1().toStdString();
    event.windowTitle = dialog.windowTitle().toLatin1().toStdString();
    std::optional<ModalHandler> handler = take(modalHandlers_);
    if (!handler || !*handler)
        return QDialog::Rejected;
    return (*handler)(dialog);
}

bool ScriptedPlatform::showHelp(QWidget *, const std::string &helpFile, int context)
{
    record(EventKind::Help, helpFile, std::to_string(context));
    return take(helpResults_).value_or(true);
}

bool ScriptedPlatform::fileExists(const std::string &path)
{
    if (fileExistsOverride)
        return fileExistsOverride(path);
    return pathExists(path);
}

}  // namespace vaziduvu
