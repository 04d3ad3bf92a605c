#include "recordDamage.h"

#include "record/checksum.h"
#include "record/recordFile.h"

#include <QtEndian>

namespace {

void FlipBits(QByteArray& bytes, std::mt19937& random)
{
    if (bytes.isEmpty())
        return;
    for (int i = 0, flips = 1 + int(random() % 3); i < flips; ++i) {
        const qsizetype at = qsizetype(random() % std::size_t(bytes.size()));
        bytes[at] = char(bytes[at] ^ (1 << (random() % 8)));
    }
}

} // namespace

QByteArray DamagedRecord(const QByteArray& good, std::mt19937& random)
{
    QByteArray bytes = good;
    switch (random() % 3) {
    case 0:
        FlipBits(bytes, random);
        return bytes;
    case 1:
        bytes.truncate(qsizetype(random() % std::size_t(bytes.size())));
        return bytes;
    default: {
        QByteArray contents = qUncompress(good.mid(RECORD_HEADER_SIZE));
        FlipBits(contents, random);
        const QByteArray payload = qCompress(contents);
        QByteArray header = good.left(RECORD_HEADER_SIZE);
        qToBigEndian<quint32>(quint32(payload.size()), header.data() + 12);
        qToBigEndian<quint32>(Crc32(payload), header.data() + 16);
        return header + payload;
    }
    }
}
