#include "MailDecoder.h"

#include "JisToShiftJis.h"

#include <QStringDecoder>

#include <cstring>
#include <thread>

namespace {

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool hasJisEscape(QByteArrayView bytes)
{
    return bytes.contains("\x1B$B") || bytes.contains("\x1B$@");
}

bool isOneOf(QByteArrayView name, std::initializer_list<const char *> names)
{
    for (const char *candidate : names) {
        if (name.compare(candidate, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Where a large CP932 text is cut in two to be decoded on two cores at once, a third of an
// archive's load: just after a LF near the middle, since no CP932 character has a LF byte
// in it; 0 for a text left whole.
qsizetype cp932Halfway(QByteArrayView bytes)
{
    constexpr qsizetype Large = 1 << 20;
    const qsizetype lf = bytes.size() < Large ? -1 : bytes.indexOf('\n', bytes.size() / 2);
    return lf < 0 || lf + 1 == bytes.size() ? 0 : lf + 1;
}

} // namespace

void MailDecoder::cp932(QByteArrayView bytes)
{
    if (!m_cp932)
        m_cp932.emplace("CP932");
    if (!m_cp932->isValid()) {
        // A C library without the CP932 module: ICU's converter, whose replacement is U+001A.
        m_text = QStringDecoder("windows-31j").decode(bytes);
        return;
    }
    const qsizetype half = cp932Halfway(bytes);
    if (half == 0) {
        m_cp932->decode(bytes, m_text);
        return;
    }
    // Each half is written where it cannot overlap the other, then the second moves up.
    char16_t *const out = NarrowConverter::makeRoom(m_text, bytes.size());
    qsizetype second = -1;
    std::thread secondHalf([&second, bytes, half, out] {
        NarrowConverter converter("CP932");
        if (converter.isValid())
            second = converter.decode(bytes.sliced(half), out + half);
    });
    const qsizetype first = m_cp932->decode(bytes.first(half), out);
    secondHalf.join();
    if (second < 0)
        second = m_cp932->decode(bytes.sliced(half), out + half);
    std::memmove(out + first, out + half, size_t(second) * sizeof(char16_t));
    m_text.truncate(first + second);
}

void MailDecoder::eucJp(QByteArrayView bytes)
{
    if (!m_eucJp)
        m_eucJp.emplace("EUC-JP-MS");
    if (m_eucJp->isValid())
        m_eucJp->decode(bytes, m_text);
    else
        m_text = QStringDecoder("EUC-JP").decode(bytes);
}

void MailDecoder::jis(QByteArrayView bytes)
{
    jisToShiftJis(bytes, m_shiftJis);
    cp932(m_shiftJis);
}

const QString &MailDecoder::mailBytes(QByteArrayView bytes)
{
    const bool ascii = isAscii(bytes);
    if (ascii && hasJisEscape(bytes))
        jis(bytes);
    else if (bytes.startsWith("\xEF\xBB\xBF"))
        m_text = QString::fromUtf8(bytes.sliced(3));
    // Valid UTF-8 with a non-ASCII byte is almost never CP932 text by accident.
    else if (!ascii && bytes.isValidUtf8())
        m_text = QString::fromUtf8(bytes);
    else
        cp932(bytes);
    return m_text;
}

const QString &MailDecoder::partBytes(QByteArrayView bytes, QByteArrayView charset)
{
    if (isOneOf(charset,
                {"ISO-2022-JP", "csISO2022JP", "ISO-2022-JP-MS", "CP50220", "CP50221", "CP50222"}))
        jis(bytes);
    else if (isOneOf(charset, {"Shift_JIS", "Shift-JIS", "SJIS", "x-sjis", "MS_Kanji", "csShiftJIS",
                               "Windows-31J", "csWindows31J", "CP932", "MS932"}))
        cp932(bytes);
    else if (isOneOf(charset,
                     {"EUC-JP", "eucJP", "x-euc-jp", "eucJP-ms", "CP51932", "csEUCPkdFmtJapanese",
                      "Extended_UNIX_Code_Packed_Format_for_Japanese"}))
        eucJp(bytes);
    else if (isOneOf(charset, {"UTF-8", "utf8"}))
        m_text = QString::fromUtf8(bytes);
    else
        return mailBytes(bytes);
    return m_text;
}

QString decodeMailBytes(const QByteArray &bytes)
{
    MailDecoder decoder;
    decoder.mailBytes(bytes);
    return decoder.takeText();
}
