// The recovery journal: every unsaved step of the history is kept on the
// disk as it is made, and offered back at the next start when the program
// did not end cleanly.
#include "app/document_commands.h"
#include "app/grid_delegate.h"
#include "app/main_window.h"
#include "export/file_system.h"
#include "platform/platform.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUndoStack>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

#include <unistd.h>

namespace vaziduvu {

namespace {

int64_t now()
{
    return QDateTime::currentSecsSinceEpoch();
}

std::string fileNameOf(const std::string &path)
{
    if (path.empty())
        return "a new log";
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string clockTime(int64_t seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds).toString(QStringLiteral("HH:mm")).toStdString();
}

// The hash of a file's bytes; nullopt when it cannot be read.
std::optional<uint64_t> hashOfFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return contentHash(bytes);
}

// The log's size and counts as a replayed step will find them. Within a
// group, only the size is known after a removal, not the counts.
struct ExpectedShape {
    GridShape shape;
    bool exact = true;
};

// The command that makes a journal step again, once its record is checked
// against the log it will meet; throws when it does not fit.
QUndoCommand *replayedCommand(const JournalStep &step, LogDocument &document,
                              const ChangeShown &shown, ExpectedShape &expected,
                              QUndoCommand *parent)
{
    const QString text = QString::fromUtf8(step.text.data(), int(step.text.size()));
    GridShape &shape = expected.shape;
    switch (step.kind) {
    case JournalStep::Kind::Change: {
        const GridShape &before = step.change.shapeBefore();
        if (expected.exact ? !(before == shape)
                           : before.columns != shape.columns || before.rows != shape.rows)
            throw std::runtime_error("the log's size differs");
        expected = {step.change.shapeAfter(), true};
        return GridChangeCommand::replayed(text, document, step.change, shown, step.column,
                                           step.row, step.merged, parent);
    }
    case JournalStep::Kind::RemoveRows:
        for (const int row : step.rows) {
            if (row < 1 || row >= shape.rows)
                throw std::runtime_error("a removed row is not in the log");
        }
        shape.rows -= static_cast<int>(step.rows.size());
        expected.exact = false;
        return new RemoveRowsCommand(text, document, step.rows, shown, parent);
    case JournalStep::Kind::RemoveColumn:
        if (step.column < 1 || step.column >= shape.columns)
            throw std::runtime_error("a removed column is not in the log");
        shape.columns -= 1;
        expected.exact = false;
        return new RemoveColumnCommand(text, document, step.column, shown, parent);
    case JournalStep::Kind::ReorderRows: {
        std::vector<bool> seen(step.rows.size() + 1, false);
        if (static_cast<int>(step.rows.size()) != shape.rows - 1)
            throw std::runtime_error("the new order does not hold every contact");
        for (const int row : step.rows) {
            if (row < 1 || row > static_cast<int>(step.rows.size()) || seen[row])
                throw std::runtime_error("the new order does not hold every contact");
            seen[static_cast<size_t>(row)] = true;
        }
        return new ReorderRowsCommand(text, document, step.rows, shown, parent);
    }
    case JournalStep::Kind::Group: {
        auto group = std::make_unique<StepGroupCommand>(text);
        for (const JournalStep &part : step.parts)
            replayedCommand(part, document, shown, expected, group.get());
        return group.release();
    }
    case JournalStep::Kind::Undo:
    case JournalStep::Kind::Redo:
        break;
    }
    throw std::runtime_error("a step is not one that can be made again");
}

}  // namespace

void MainWindow::useRecoveryFolder(const std::string &folder)
{
    recoveryFolder_ = folder;
    if (!folder.empty())
        QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(folder)));
}

std::string MainWindow::recoveryJournalPath() const
{
    return journal_ ? journal_->path() : std::string();
}

void MainWindow::pushStep(QUndoCommand *command)
{
    RecordMaker record;
    if (journal_ && !replaying_) {
        const auto *step = dynamic_cast<const JournaledStep *>(command);
        if (step && step->journalable())
            record = step->journalRecordMaker();
        else
            endJournal();  // it could not be replayed: no journal rather than a wrong one
    }
    const int before = history_->index();
    struct Pushing {
        bool &flag;
        ~Pushing() { flag = false; }
    } pushing{pushingStep_ = true};
    history_->push(command);  // a merged command is gone after this
    pushingStep_ = false;
    if (journal_ && record) {
        if (history_->index() == before) {
            record = [made = std::move(record)] {
                std::string merged = made();
                JournalStep::markMerged(merged);
                return merged;
            };
        }
        journal_->append(std::move(record));
        journalIndex_ = history_->index();
    }
    journalHistory();
}

void MainWindow::journalHistory()
{
    if (recoveryFolder_.empty() || replaying_ || historyResetting_ || !document_.documentOpen())
        return;
    const bool saved = history_->isClean() && historyStartsSaved_;
    if (saved || history_->count() == 0) {
        endJournal();
        return;
    }
    if (!journal_) {
        if (historyJournalable())
            startJournal();
        return;
    }
    const int index = history_->index();
    for (; journalIndex_ > index; --journalIndex_)
        journal_->append(JournalStep::encodeMove(true, now()));
    for (; journalIndex_ < index; ++journalIndex_)
        journal_->append(JournalStep::encodeMove(false, now()));
}

bool MainWindow::historyJournalable() const
{
    for (int i = 0; i < history_->count(); ++i) {
        const auto *step = dynamic_cast<const JournaledStep *>(history_->command(i));
        if (step == nullptr || !step->journalable())
            return false;
    }
    return true;
}

void MainWindow::startJournal()
{
    static int journalsStarted = 0;  // in this process: the names never meet
    std::string name = fileNameOf(journalSource_.path);
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '/' || c == ' '; }, '_');
    const std::string path = recoveryFolder_ + "/" + name + "-"
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")).toStdString()
        + "-" + std::to_string(::getpid()) + "-" + std::to_string(++journalsStarted)
        + std::string(RecoveryJournal::kExtension);
    journal_ = std::make_unique<RecoveryJournal>(path, journalSource_, journalText_, now());
    // Every step so far, as the history holds it now, then back to where it stands.
    for (int i = 0; i < history_->count(); ++i) {
        const auto *step = dynamic_cast<const JournaledStep *>(history_->command(i));
        if (step)
            journal_->append(step->journalRecordMaker());
    }
    for (int i = history_->count(); i > history_->index(); --i)
        journal_->append(JournalStep::encodeMove(true, now()));
    journalIndex_ = history_->index();
}

void MainWindow::endJournal()
{
    if (journal_) {
        journal_->discard();
        journal_.reset();
    }
    journalIndex_ = 0;
}

void MainWindow::offerRecovery()
{
    if (recoveryFolder_.empty())
        return;
    guarded("Could not offer the unsaved changes of an earlier session.", [this] {
        const QDir folder(QFile::decodeName(QByteArray::fromStdString(recoveryFolder_)));
        const QStringList journals
            = folder.entryList({QStringLiteral("*")
                                + QString::fromLatin1(RecoveryJournal::kExtension.data(),
                                                      RecoveryJournal::kExtension.size())},
                               QDir::Files, QDir::Time | QDir::Reversed);
        for (const QString &entry : journals) {
            const std::string path = QFile::encodeName(folder.filePath(entry)).toStdString();
            if (journal_ && journal_->path() == path)
                continue;
            const JournalContents contents = JournalContents::read(path);
            if (contents.status == JournalContents::Status::Unreadable) {
                showMessage("Problem:",
                            "A recovery journal of unsaved changes cannot be read ("
                                + contents.problem + "). It is kept as it is:\r\n" + path);
                continue;
            }
            if (contents.steps.empty()) {
                // Ended before its first change reached the disk: nothing to restore.
                RecoveryJournal::removeFiles(path);
                continue;
            }
            const std::string name = fileNameOf(contents.source.path);
            int64_t first = contents.steps.front().madeAt;
            int64_t last = first;
            for (const JournalStep &step : contents.steps) {
                first = std::min(first, step.madeAt);
                last = std::max(last, step.madeAt);
            }
            const std::string when = clockTime(first) == clockTime(last)
                ? "made at " + clockTime(first)
                : "made between " + clockTime(first) + " and " + clockTime(last);
            const LaterAnswer answer
                = platform_.askYesNoLater(this,
                                          "vaziduvu closed with unsaved changes to " + name + " ("
                                              + when + "). Restore them?");
            if (answer == LaterAnswer::Later)
                continue;
            if (answer == LaterAnswer::No) {
                if (platform_.confirm(this,
                                      "The unsaved changes to " + name
                                          + " will be lost for good. Remove them?"))
                    RecoveryJournal::removeFiles(path);
                continue;
            }
            if (restoreJournal(path, contents))
                return;  // one log at a time: the others are offered at the next start
        }
    });
}

bool MainWindow::restoreJournal(const std::string &path, const JournalContents &contents)
{
    const JournalSource &source = contents.source;
    const std::string name = fileNameOf(source.path);
    bool fromCopy = false;
    if (source.path.empty()) {
        startNewProject();
    } else {
        std::string loadFrom = source.path;
        if (hashOfFile(source.path) != source.hash) {
            const std::string copy = RecoveryJournal::sourceCopyPath(path);
            if (hashOfFile(copy) != source.hash) {
                showMessage("Problem:",
                            name
                                + " has changed since these changes were made, and the journal "
                                  "holds no copy of it as it was: the changes were not applied. "
                                  "They are kept in\r\n"
                                + path);
                return false;
            }
            if (!platform_.confirm(this,
                                   name
                                       + " has changed since these changes were made (or "
                                         "is no longer there). Restore them onto "
                                       + name
                                       + " as it was then, from the copy kept with them, "
                                         "and save the result as a new file?"))
                return false;
            loadFrom = copy;
            fromCopy = true;
        }
        if (adifMode_ != source.mode)
            setAdifMode(source.mode);
        openLogFrom(loadFrom);
        if (!document_.documentOpen()) {
            showMessage("Problem:",
                        "The log the changes were made to could not be opened: the "
                        "changes were not applied. They are kept in\r\n"
                            + path);
            return false;
        }
        if (fromCopy) {
            // The journal from here on speaks of the log, not of the copy, and
            // the save dialog starts beside the log.
            journalSource_.path = source.path;
            lastFolder_ = folderOf(source.path);
            setWindowTitle(QStringLiteral(" File: ")
                           + QFile::decodeName(QByteArray::fromStdString(source.path))
                           + QStringLiteral(" (as it was)"));
        }
    }
    std::string problem;
    const bool whole = replaySteps(contents.steps, problem);
    refreshGrid();
    followHistory();
    if (!whole) {
        showMessage("Problem:",
                    "The changes were restored only in part (" + problem
                        + "). The journal is kept:\r\n" + path);
        return true;
    }
    // The new journal is on the disk before the old one goes.
    if (journal_)
        journal_->waitUntilWritten();
    RecoveryJournal::removeFiles(path);
    if (fromCopy)
        saveAs();
    return true;
}

bool MainWindow::replaySteps(const std::vector<JournalStep> &steps, std::string &problem)
{
    ChangeShown shown = [this](int column, int row) { showChangedCell(column, row); };
    struct Replaying {
        bool &flag;
        ~Replaying() { flag = false; }
    } replaying{replaying_ = true};
    size_t done = 0;
    try {
        for (const JournalStep &step : steps) {
            switch (step.kind) {
            case JournalStep::Kind::Undo:
                if (!history_->canUndo())
                    throw std::runtime_error("an undo has nothing to take back");
                history_->undo();
                break;
            case JournalStep::Kind::Redo:
                if (!history_->canRedo())
                    throw std::runtime_error("a redo has nothing to make again");
                history_->redo();
                break;
            default: {
                ExpectedShape expected{document_.shape(), true};
                pushStep(replayedCommand(step, document_, shown, expected, nullptr));
                break;
            }
            }
            ++done;
        }
    } catch (const std::exception &error) {
        problem = "step " + std::to_string(done + 1) + " of " + std::to_string(steps.size()) + ": "
            + error.what();
    }
    replaying_ = false;
    journalHistory();  // a journal of the restored steps
    return done == steps.size();
}

}  // namespace vaziduvu
