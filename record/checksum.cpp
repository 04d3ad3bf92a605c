#include "record/checksum.h"

#include <array>

namespace {

std::array<std::uint32_t, 256> MakeTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

} // namespace

std::uint32_t Crc32(const QByteArray& bytes)
{
    static const std::array<std::uint32_t, 256> table = MakeTable();
    std::uint32_t c = 0xFFFFFFFFu;
    for (char ch : bytes)
        c = table[(c ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}
