#pragma once

#include "adif/progress.h"

#include <chrono>
#include <ostream>
#include <string>

namespace vaziduvu {

// `--progress`: how far a long step has come, as one line on standard error
// that is rewritten in place ("reading log.adi: 42%"), at most five times a
// second; the line is ended when the step is done. Without --progress
// nothing is printed (a Progress that is never called prints nothing).
class ConsoleProgress : public Progress {
public:
    explicit ConsoleProgress(std::ostream &err)
        : err_(err)
    {
    }
    ~ConsoleProgress() override { finish(); }
    ConsoleProgress(const ConsoleProgress &) = delete;
    ConsoleProgress &operator=(const ConsoleProgress &) = delete;

    // Starts a step; ends the line of the previous one.
    void begin(const std::string &step);
    bool advance(int64_t done, int64_t total) override;
    void finish();

private:
    std::ostream &err_;
    std::string step_;
    bool lineOpen_ = false;
    std::chrono::steady_clock::time_point lastShown_{};
};

}  // namespace vaziduvu
