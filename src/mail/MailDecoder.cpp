#include "MailDecoder.h"

#include "Cp932Table.h"
#include "JisToShiftJis.h"

#include <QStringDecoder>

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

} // namespace

void MailDecoder::cp932(QByteArrayView bytes)
{
    const Cp932Table *const table = Cp932Table::fromIconv();
    if (table)
        m_text.truncate(table->decode(bytes, NarrowConverter::makeRoom(m_text, bytes.size())));
    else // a C library without the CP932 module: ICU's converter, whose replacement is U+001A
        m_text = QStringDecoder("windows-31j").decode(bytes);
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
