#pragma once

#include <QByteArray>

#include <cstdint>

// CRC-32 (the polynomial of zip and PNG) of a record's payload.
std::uint32_t Crc32(const QByteArray& bytes);
