// The entry point of fuzz/fuzz_formats.cpp without libFuzzer: every fixture
// of the other forms goes through each reader, in both modes, once; the
// entry point aborts on a broken property, and the sanitized build also
// stops on any memory error or leak. The two inputs the fuzzer once stopped
// on stay here.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

namespace fs = std::filesystem;

int runEntryPoint(const std::string &bytes)
{
    return LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
}

TEST(FormatsSeeds, EveryFixtureThroughEveryReaderInBothModes)
{
    int seeds = 0;
    for (const auto &entry : fs::directory_iterator(TEST_DATA_DIR)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".log" && extension != ".adi")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        for (const char selector : {'\x00', '\x01', '\x02', '\x80', '\x81', '\x82'}) {
            std::cerr << "seed " << entry.path().string() << " " << int(selector) << std::endl;
            EXPECT_EQ(runEntryPoint(std::string(1, selector) + bytes), 0);
        }
        ++seeds;
    }
    EXPECT_GT(seeds, 6);
}

TEST(FormatsSeeds, InputsTheFuzzerStoppedOn)
{
    // A Latin-1 field name read back from UTF-8 in the Current mode.
    const unsigned char latin1Name[]
        = {0xeb, 0xad, 0x00, 0x0a, 0xbe, 0xa4, 0x54, 0x2d, 0x46, 0x02, 0x3c, 0x41, 0x44, 0x58, 0x3e,
           0x3c, 0x52, 0x45, 0x43, 0x4f, 0x52, 0x44, 0x53, 0x3e, 0x3c, 0x52, 0x45, 0x43, 0x4f, 0x52,
           0x44, 0x3e, 0x4c, 0x2d, 0x4f, 0x4f, 0x3c, 0x43, 0x41, 0x4c, 0x4c, 0x3e, 0x57, 0x32, 0x41,
           0x57, 0x3c, 0x2f, 0x43, 0x47, 0x3a, 0x20, 0x33, 0x2e, 0x24, 0x30, 0x3a, 0x41, 0x4c, 0x4c,
           0x43, 0x4f, 0x52, 0x44, 0x53, 0x0a, 0x43, 0x3e, 0x3c, 0x2f, 0x41, 0x44, 0x58, 0x3e};
    // A CSV column named EOR.
    const unsigned char columnNamedEor[]
        = {0x01, 0x45, 0x4f, 0x52, 0x2c, 0x4e, 0x41, 0x4d, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
           0x0d, 0x2e, 0x30, 0x0a, 0x33, 0x30, 0x2e, 0x0a, 0x45, 0x0d, 0x43, 0x57, 0x43, 0x54};
    for (const auto &[bytes, size] : {std::pair{latin1Name, sizeof latin1Name},
                                      std::pair{columnNamedEor, sizeof columnNamedEor}})
        EXPECT_EQ(runEntryPoint(std::string(reinterpret_cast<const char *>(bytes), size)), 0);
}

}  // namespace
