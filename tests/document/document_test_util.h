#pragma once

#include "adif/adif_file.h"
#include "document/log_document.h"
#include "grid_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vaziduvu::test {

// A parsed log kept alive next to the document filled from it.
struct LoadedLog {
    AdifFile file;
    LogDocument document;
    LogDocument::FillResult result = LogDocument::FillResult::FormatError;
};

inline void loadInto(LoadedLog &log, const std::string &adif)
{
    log.file.loadFromBytes(adif);
    log.result = log.document.fillFrom(log.file);
}

}  // namespace vaziduvu::test
