#pragma once

#include <QByteArrayView>

#include <array>
#include <memory>
#include <vector>

// glibc's CP932 converter read out once into tables, decoded by lookup: the converter goes
// through UCS-4 and a function call per character, four times the time of the lookup, and
// an archive's decoding was a third of its load. Invalid bytes give what NarrowConverter
// gives: one U+FFFD for the lead byte, and the next byte starts over.
class Cp932Table
{
public:
    // The tables of this C library's converter, read once for the whole run; null where the
    // library has no CP932.
    static const Cp932Table *fromIconv();

    // Decodes into out, which has room for one unit per byte; returns the units written.
    qsizetype decode(QByteArrayView bytes, char16_t *out) const;

private:
    Cp932Table() = default;
    static std::unique_ptr<Cp932Table> read();

    std::array<char16_t, 256> m_single{}; // a byte alone; U+FFFD for lead and invalid bytes
    std::array<qint16, 256> m_leadRow{};  // the row of m_pairs of a lead byte, or -1
    std::vector<std::array<char16_t, 256>> m_pairs; // by trail byte; 0: no character
};
