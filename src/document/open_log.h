#pragma once

#include "adif/adif_file.h"
#include "adif/adif_mode.h"
#include "adif/progress.h"
#include "document/log_document.h"

#include <functional>
#include <memory>
#include <string>

namespace vaziduvu {

// The one way a log is opened, for the window, every command of the
// command-line tool, the benchmarks and the tests: read the file with the
// mode's rules, decide whether it may be loaded, fill the document.
enum class OpenStatus {
    Loaded,       // read without a format error and filled
    Unreadable,   // the reader ran out of memory; nothing was kept
    FormatError,  // the parse failed: file->result() says how and where
    TooBig,       // Classic: too many fields or records (or out of memory filling)
    Cancelled,    // the progress asked to stop: nothing is loaded
};

// The load report's words for a refused log.
inline constexpr const char *kTooBigMessage = "File too big or too many fields";
inline constexpr const char *kTooBigReport
    = "\r\nFile not loaded ... \r\n >>> File too big or too many fields\r\n\r\n";

// What opening a log gave: the reader's file (always, so a refusal can show
// its text and position) and, once loaded, the filled document.
struct OpenedLog {
    OpenStatus status = OpenStatus::Unreadable;
    std::unique_ptr<AdifFile> file;
    std::unique_ptr<LogDocument> document;

    explicit operator bool() const { return status == OpenStatus::Loaded; }
    // The load report text of a refusal: the reader's outcome text for a
    // format error, kTooBigReport for a log too big; empty otherwise.
    std::string refusalReport() const;
};

// Steps of an opening that a caller may want to hear of: `reading` hears of
// the bytes read, `filling` of the rows filled (either may ask to stop);
// betweenSteps runs once the file is read and before the fill starts (a
// window shows a second part).
struct OpenSteps {
    Progress *reading = nullptr;
    Progress *filling = nullptr;
    std::function<void()> betweenSteps;
};

// Reads `path` into `file` and fills `document` from it, both with `mode`'s
// rules. The document is filled only when the outcome is Loaded; on any
// other outcome it holds no log (its text encoding follows the file, so the
// source text can still be shown as it is).
OpenStatus openLogInto(const std::string &path, AdifMode mode, AdifFile &file,
                       LogDocument &document, const OpenSteps &steps = {});

// The same, for bytes already in memory (tests, fuzzing, pasted text).
OpenStatus openLogFromBytesInto(std::string_view bytes, AdifMode mode, AdifFile &file,
                                LogDocument &document, const OpenSteps &steps = {});

// openLogInto with a file and a document of its own.
OpenedLog openLog(const std::string &path, AdifMode mode, const OpenSteps &steps = {});
OpenedLog openLogFromBytes(std::string_view bytes, AdifMode mode, const OpenSteps &steps = {});

}  // namespace vaziduvu
