#pragma once

#include <QCborArray>
#include <QCborValue>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <variant>

// Plain values to CBOR and back, as the record file and the network's
// messages keep them: every value a CBOR integer, a float its bits.
struct CborWriter {
    QCborArray& out;
    void operator()(int v) { out.append(v); }
    void operator()(long long v) { out.append(v); }
    void operator()(std::uint32_t v) { out.append(static_cast<qint64>(v)); }
    void operator()(float v)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        out.append(static_cast<qint64>(bits));
    }
};

// Reading the same list back: any value missing, not an integer or too
// large for its field marks the whole as damaged.
struct CborReader {
    const QCborArray& in;
    qsizetype next = 0;
    bool ok = true;

    bool Take(qint64 low, qint64 high, qint64* v)
    {
        if (!ok || next >= in.size() || !in.at(next).isInteger()) {
            ok = false;
            return false;
        }
        *v = in.at(next++).toInteger();
        if (*v < low || *v > high)
            ok = false;
        return ok;
    }
    void operator()(int& v)
    {
        qint64 x;
        if (Take(std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), &x))
            v = static_cast<int>(x);
    }
    void operator()(long long& v)
    {
        qint64 x;
        if (Take(std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), &x))
            v = x;
    }
    void operator()(std::uint32_t& v)
    {
        qint64 x;
        if (Take(0, 0xFFFFFFFFLL, &x))
            v = static_cast<std::uint32_t>(x);
    }
    void operator()(float& v)
    {
        qint64 x;
        if (Take(0, 0xFFFFFFFFLL, &x)) {
            const auto bits = static_cast<std::uint32_t>(x);
            std::memcpy(&v, &bits, sizeof v);
        }
    }
    bool AllRead() const { return ok && next == in.size(); }
};

// Makes the alternative at index of a message or input kind, default-made:
// false for an index no kind has.
template <class Variant, std::size_t I = 0>
bool EmplaceAlternative(std::size_t index, Variant* variant)
{
    if constexpr (I < std::variant_size_v<Variant>) {
        if (index == I) {
            variant->template emplace<I>();
            return true;
        }
        return EmplaceAlternative<Variant, I + 1>(index, variant);
    } else {
        return false;
    }
}
