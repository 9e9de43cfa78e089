// Arbitrary bytes through the Cabrillo, CSV and ADX readers, the opening of
// what they read, and the writers of the same form reading back what they
// wrote. The first byte picks the reader and the mode. Built as a libFuzzer
// target by `make fuzz` (fuzz/).
//
// Besides the sanitizers, a few properties must hold for every input; a
// broken one aborts with the failed condition, so the fuzzer keeps the
// input as a crash.

#include "document/log_document.h"
#include "formats/adx_format.h"
#include "formats/cabrillo_format.h"
#include "formats/csv_format.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace vaziduvu {
namespace {

[[noreturn]] void failCheck(const char *condition, int line)
{
    std::fprintf(stderr, "fuzz_formats.cpp:%d: check failed: %s\n", line, condition);
    std::abort();
}

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            failCheck(#condition, __LINE__);                                                       \
    } while (0)

enum class Reader { Cabrillo, Csv, Adx };

ContactLog readAs(Reader reader, std::string_view bytes, const ReadOptions &options)
{
    switch (reader) {
    case Reader::Cabrillo:
        return readCabrillo(bytes, options);
    case Reader::Csv:
        return readCsv(bytes, options);
    case Reader::Adx:
        return readAdx(bytes, options);
    }
    return {};
}

void run(std::string_view bytes, Reader reader, AdifMode mode)
{
    const ReadOptions options{mode, {}};
    const ContactLog log = readAs(reader, bytes, options);
    for (const LineMessage &problem : log.problems)
        FUZZ_CHECK(problem.line >= 0 && !problem.text.empty());
    if (log.contacts.empty() || !log.problems.empty())
        return;
    const OpenedLog opened = openContactLog(log, mode, "fuzz");
    // What a reader accepted always opens, unless the Classic limits refuse it.
    FUZZ_CHECK(opened.status == OpenStatus::Loaded || opened.status == OpenStatus::TooBig);
    if (!opened)
        return;
    const LogDocument &document = *opened.document;
    FUZZ_CHECK(document.rowCount() == static_cast<int>(log.contacts.size()) + 1);

    // Written and read again, the form gives the same contacts.
    ContactLog again;
    switch (reader) {
    case Reader::Cabrillo: {
        CabrilloWriteOptions write;
        write.stationCall = "K1ABC";
        const CabrilloText text = writeCabrillo(document, write);
        if (!text.problems.empty())
            return;
        ReadOptions read = options;
        read.templateName = text.templateName;
        again = readCabrillo(text.text, read);
        FUZZ_CHECK(again.problems.empty());
        FUZZ_CHECK(again.contacts.size() == log.contacts.size());
        return;
    }
    case Reader::Csv:
        again = readCsv(writeCsv(document), options);
        break;
    case Reader::Adx:
        if (!adxProblem(document).empty())
            return;
        again = readAdx(writeAdx(document), options);
        break;
    }
    FUZZ_CHECK(again.problems.empty());
    const ContactLog before = contactLogOf(document);
    FUZZ_CHECK(again.contacts.size() == before.contacts.size());
    // A Latin-1 log read back in the Current mode is UTF-8: the same characters.
    const bool reencoded
        = mode == AdifMode::Current && document.textEncoding() == TextEncoding::Latin1;
    auto expected
        = [&](const std::string &text) { return reencoded ? utf8OfLogText(text, document) : text; };
    for (size_t i = 0; i < before.contacts.size(); ++i) {
        const Contact &a = before.contacts[i];
        const Contact &b = again.contacts[i];
        FUZZ_CHECK(a.fields.size() == b.fields.size());
        for (size_t j = 0; j < a.fields.size(); ++j) {
            FUZZ_CHECK(expected(a.fields[j].name) == b.fields[j].name);
            FUZZ_CHECK(expected(a.fields[j].value) == b.fields[j].value);
        }
    }
}

}  // namespace
}  // namespace vaziduvu

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const auto reader = static_cast<vaziduvu::Reader>(data[0] % 3);
    const auto mode
        = (data[0] & 0x80) != 0 ? vaziduvu::AdifMode::Current : vaziduvu::AdifMode::Classic;
    vaziduvu::run(std::string_view(reinterpret_cast<const char *>(data) + 1, size - 1), reader,
                  mode);
    return 0;
}
