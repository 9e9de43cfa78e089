#include "cli/console_progress.h"

namespace vaziduvu {

namespace {

constexpr std::chrono::milliseconds kInterval{200};

}  // namespace

void ConsoleProgress::begin(const std::string &step)
{
    finish();
    step_ = step;
    lastShown_ = {};
}

bool ConsoleProgress::advance(int64_t done, int64_t total)
{
    const auto now = std::chrono::steady_clock::now();
    const bool last = total > 0 && done >= total;
    if (!last && lastShown_ != std::chrono::steady_clock::time_point{}
        && now - lastShown_ < kInterval)
        return true;
    lastShown_ = now;
    const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 0;
    err_ << '\r' << step_ << ": " << percent << '%' << std::flush;
    lineOpen_ = true;
    return true;
}

void ConsoleProgress::finish()
{
    if (!lineOpen_)
        return;
    err_ << '\r' << step_ << ": 100%\n" << std::flush;
    lineOpen_ = false;
}

}  // namespace vaziduvu
