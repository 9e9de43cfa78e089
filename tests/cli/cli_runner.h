#pragma once

// Runs the built vaziduvu-cli (path in VAZIDUVU_CLI) and collects what it did.

#include "test_files.h"
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vaziduvu::test {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// A folder of the running test's own under the temporary folder, named
// `prefix`, the process and the test (a parameterised test's "/" made "-",
// so that removing the folder leaves nothing behind).
inline std::filesystem::path testFolder(const std::string &prefix)
{
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '-');
    return std::filesystem::path(::testing::TempDir())
        / (prefix + "-" + std::to_string(::getpid()) + "-" + name);
}

inline std::string quoted(const std::string &text)
{
    return "'" + text + "'";
}

// Standard error goes through errPath, which must be private to the caller:
// ctest runs several tests at once. With a folder, the tool runs in it.
inline RunResult runCli(const std::vector<std::string> &args, const std::string &errPath,
                        const std::string &folder = {})
{
    std::string command = folder.empty() ? std::string() : "cd " + quoted(folder) + " && ";
    command += quoted(VAZIDUVU_CLI);
    for (const std::string &arg : args)
        command += " " + quoted(arg);
    command += " 2>" + quoted(errPath);

    RunResult result;
    FILE *pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, n);
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.err = readBytes(errPath);
    std::remove(errPath.c_str());
    return result;
}

}  // namespace vaziduvu::test
