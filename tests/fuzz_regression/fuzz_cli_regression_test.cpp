// The entry point of fuzz/fuzz_cli.cpp without libFuzzer: every seed of
// fuzz/corpus and every example runs through each command of vaziduvu-cli,
// batched and whole, in both modes, once. The entry point aborts on any
// difference; the sanitized build also stops on any memory error or leak.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

namespace fs = std::filesystem;

class CliSeedFolder : public ::testing::TestWithParam<const char *> { };

TEST_P(CliSeedFolder, EverySeedSaysTheSameBatchedAndWhole)
{
    std::vector<fs::path> files;
    for (const auto &entry : fs::directory_iterator(GetParam())) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".adi" || extension == ".badi"))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << GetParam();
    for (const fs::path &file : files) {
        // Named before the run: a difference ends the process, and this line
        // is what then tells which seed it was.
        std::cerr << "seed " << file.string() << std::endl;
        std::ifstream in(file, std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()),
            0);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, CliSeedFolder, ::testing::Values(FUZZ_CORPUS_DIR, EXAMPLES_DIR),
                         [](const auto &info) {
                             return std::string(info.index == 0 ? "FuzzCorpus" : "Examples");
                         });

}  // namespace
