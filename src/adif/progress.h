#pragma once

#include <cstdint>

namespace vaziduvu {

// How a long operation (reading a large log, filling the grid, checking or
// exporting every cell) tells its caller how far it has come, and learns
// whether to stop. Operations call it often and cheaply; the caller decides
// how often to show anything. Stopping is only offered where it loses
// nothing: the operation then leaves what it worked on as it was.
class Progress {
public:
    virtual ~Progress() = default;
    // done of total units (bytes, rows); returns false when the user asked
    // to stop.
    virtual bool advance(int64_t done, int64_t total) = 0;
};

}  // namespace vaziduvu
