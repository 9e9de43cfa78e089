#pragma once

// Files and texts the tests share: fixture paths, whole files as bytes,
// large texts made of one piece.

#include <fstream>
#include <iterator>
#include <string>

namespace vaziduvu::test {

// A fixture in tests/data.
inline std::string dataPath(const std::string &name)
{
    return std::string(TEST_DATA_DIR) + "/" + name;
}

// The whole file as bytes; empty when it cannot be read.
inline std::string readBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string repeatText(const std::string &piece, int times)
{
    std::string text;
    text.reserve(piece.size() * static_cast<size_t>(times));
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

}  // namespace vaziduvu::test
