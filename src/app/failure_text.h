#pragma once

#include <exception>
#include <string>

namespace vaziduvu {

// The reason a failure gave: the words of the exception being handled, or
// nothing for one that has none. Called in the catch block at a command's
// boundary.
inline std::string failureReason()
{
    try {
        throw;
    } catch (const std::exception &failure) {
        return failure.what();
    } catch (...) {  // not a standard exception: no words to give
        return {};
    }
}

// A failed command's message with its reason after it, for the plain
// messages of dialogs.
inline std::string failureText(const std::string &message)
{
    const std::string reason = failureReason();
    return reason.empty() ? message : message + "\r\n(" + reason + ")";
}

}  // namespace vaziduvu
