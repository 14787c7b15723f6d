#pragma once

// Whole files as bytes, and little-endian fields read from them with a bounds check: the picture
// and resource formats are all little-endian.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

inline TBytes ReadFile(const std::string &Path)
{
    std::ifstream In(Path, std::ios::binary);
    if (!In)
        throw std::runtime_error("cannot open " + Path);
    return TBytes(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

inline std::uint32_t U16(const TBytes &B, std::size_t At)
{
    if (At + 2 > B.size())
        throw std::runtime_error("data too short");
    return B[At] | (B[At + 1] << 8);
}

inline std::uint32_t U32(const TBytes &B, std::size_t At)
{
    return U16(B, At) | (U16(B, At + 2) << 16);
}
