#include "document/open_log.h"

namespace vaziduvu {

namespace {

OpenStatus fillAfterRead(const LoadResult &read, AdifFile &file, LogDocument &document,
                         const OpenSteps &steps)
{
    if (!read)
        return OpenStatus::Unreadable;
    if (read.status == ParseStatus::Cancelled)
        return OpenStatus::Cancelled;
    if (steps.betweenSteps)
        steps.betweenSteps();
    switch (document.fillFrom(file, steps.filling)) {
    case LogDocument::FillResult::Filled:
        return OpenStatus::Loaded;
    case LogDocument::FillResult::TooBig:
        return OpenStatus::TooBig;
    case LogDocument::FillResult::Cancelled:
        return OpenStatus::Cancelled;
    case LogDocument::FillResult::FormatError:
        break;
    }
    return OpenStatus::FormatError;
}

template <typename Read> OpenedLog openWith(Read read)
{
    OpenedLog opened;
    opened.file = std::make_unique<AdifFile>();
    opened.document = std::make_unique<LogDocument>();
    opened.status = read(*opened.file, *opened.document);
    if (!opened)
        opened.document.reset();
    return opened;
}

}  // namespace

std::string OpenedLog::refusalReport() const
{
    switch (status) {
    case OpenStatus::FormatError:
        return outcomeReportText(file->result().status, file->result().position);
    case OpenStatus::TooBig:
        return kTooBigReport;
    default:
        return {};
    }
}

OpenStatus openLogInto(const std::string &path, AdifMode mode, AdifFile &file,
                       LogDocument &document, const OpenSteps &steps)
{
    file.setMode(mode);
    document.setAdifMode(mode);
    const LoadResult read = file.load(path, steps.reading);
    return fillAfterRead(read, file, document, steps);
}

OpenStatus openLogFromBytesInto(std::string_view bytes, AdifMode mode, AdifFile &file,
                                LogDocument &document, const OpenSteps &steps)
{
    file.setMode(mode);
    document.setAdifMode(mode);
    const LoadResult read = file.loadFromBytes(bytes, steps.reading);
    return fillAfterRead(read, file, document, steps);
}

OpenedLog openLog(const std::string &path, AdifMode mode, const OpenSteps &steps)
{
    return openWith([&](AdifFile &file, LogDocument &document) {
        return openLogInto(path, mode, file, document, steps);
    });
}

OpenedLog openLogFromBytes(std::string_view bytes, AdifMode mode, const OpenSteps &steps)
{
    return openWith([&](AdifFile &file, LogDocument &document) {
        return openLogFromBytesInto(bytes, mode, file, document, steps);
    });
}

}  // namespace vaziduvu
