#pragma once

// An export host that shows nothing and answers every question the same
// way, for benchmarks that run checks, fixes or writers without a window.

#include "export/export_host.h"

#include <string>

namespace vaziduvu::bench {

class QuietHost : public ExportHost {
public:
    void showMessage(const std::string &, const std::string &) override { ++messages; }
    void showPlainMessage(const std::string &) override { ++messages; }
    void selectCell(int, int) override { }
    void showProgress(const std::string &, bool) override { }
    bool omitEmptyFieldTags() const override { return false; }
    std::string exportDate() override { return "12/31/25"; }
    int latestYear() override { return 2027; }
    DriveType driveTypeOf(const std::string &) override { return DriveType::Fixed; }
    int messages = 0;  // how many messages a run would have shown
};

}  // namespace vaziduvu::bench
