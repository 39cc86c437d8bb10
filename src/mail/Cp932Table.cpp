#include "Cp932Table.h"

#include <cerrno>

#include <iconv.h>

namespace {

enum class Probe
{
    Character,
    Incomplete,
    Invalid
};

// What the converter makes of these bytes alone: one character taking all of them, the
// start of one, or neither.
Probe probe(iconv_t cd, const unsigned char *bytes, size_t size, char16_t &c)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char *in = reinterpret_cast<char *>(const_cast<unsigned char *>(bytes));
    size_t inLeft = size;
    char16_t out[2];
    char *next = reinterpret_cast<char *>(out);
    size_t outLeft = sizeof out;
    if (iconv(cd, &in, &inLeft, &next, &outLeft) == size_t(-1))
        return errno == EINVAL ? Probe::Incomplete : Probe::Invalid;
    if (inLeft != 0 || next != reinterpret_cast<char *>(out + 1))
        return Probe::Invalid;
    c = out[0];
    return Probe::Character;
}

} // namespace

std::unique_ptr<Cp932Table> Cp932Table::read()
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the converter writes UTF-16LE");
    const iconv_t cd = iconv_open("UTF-16LE", "CP932");
    if (cd == iconv_t(-1))
        return nullptr;
    std::unique_ptr<Cp932Table> table(new Cp932Table);
    for (int lead = 0; lead < 256; ++lead) {
        unsigned char bytes[2] = {static_cast<unsigned char>(lead), 0};
        char16_t c = 0;
        const Probe alone = probe(cd, bytes, 1, c);
        table->m_single[lead] = alone == Probe::Character ? c : u'\uFFFD';
        table->m_leadRow[lead] = -1;
        if (alone != Probe::Incomplete)
            continue;
        table->m_leadRow[lead] = qint16(table->m_pairs.size());
        std::array<char16_t, 256> &row = table->m_pairs.emplace_back();
        for (int trail = 0; trail < 256; ++trail) {
            bytes[1] = static_cast<unsigned char>(trail);
            row[trail] = probe(cd, bytes, 2, c) == Probe::Character ? c : 0;
        }
    }
    iconv_close(cd);
    return table;
}

const Cp932Table *Cp932Table::fromIconv()
{
    static const std::unique_ptr<Cp932Table> table = read();
    return table.get();
}

qsizetype Cp932Table::decode(QByteArrayView bytes, char16_t *out) const
{
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *const end = in + bytes.size();
    char16_t *const begin = out;
    while (in < end) {
        const qint16 row = m_leadRow[*in];
        if (row < 0) {
            *out++ = m_single[*in++];
        } else if (const char16_t c = in + 1 < end ? m_pairs[size_t(row)][in[1]] : 0) {
            *out++ = c;
            in += 2;
        } else {
            *out++ = u'\uFFFD';
            ++in;
        }
    }
    return out - begin;
}
