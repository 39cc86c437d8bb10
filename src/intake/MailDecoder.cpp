#include "MailDecoder.h"

#include "JisToShiftJis.h"
#include "LargeBuffers.h"

#include <QStringDecoder>

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace {

// One iconv conversion to UTF-16LE from a charset in which every byte gives at most one
// UTF-16 unit (CP932, EUC-JP-MS), so the output never outgrows the input.
class NarrowConverter
{
public:
    explicit NarrowConverter(const char *from) : m_cd(iconv_open("UTF-16LE", from)) {}
    ~NarrowConverter()
    {
        if (m_cd != iconv_t(-1))
            iconv_close(m_cd);
    }
    NarrowConverter(const NarrowConverter &) = delete;
    NarrowConverter &operator=(const NarrowConverter &) = delete;

    bool isValid() const { return m_cd != iconv_t(-1); }

    QString decode(const QByteArray &bytes)
    {
        QString text(bytes.size(), Qt::Uninitialized);
        AdviseHugePages(text.data(), size_t(text.size()) * sizeof(char16_t));
        char *in = const_cast<char *>(bytes.constData());
        size_t inLeft = size_t(bytes.size());
        char *out = reinterpret_cast<char *>(text.data());
        size_t outLeft = size_t(text.size()) * sizeof(char16_t);
        while (inLeft > 0) {
            if (iconv(m_cd, &in, &inLeft, &out, &outLeft) != size_t(-1))
                break;
            if (errno != EILSEQ && errno != EINVAL)
                break;
            // An invalid or truncated sequence: one replacement character for its lead byte,
            // and the next byte starts over, so a stray byte never swallows a valid one.
            const char16_t replacement = u'\uFFFD';
            std::memcpy(out, &replacement, sizeof replacement);
            out += sizeof replacement;
            outLeft -= sizeof replacement;
            ++in;
            --inLeft;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        text.truncate((out - reinterpret_cast<char *>(text.data())) / qsizetype(sizeof(char16_t)));
        return text;
    }

private:
    iconv_t m_cd;
};

QString decodeCp932(const QByteArray &bytes)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the decoders write UTF-16LE");
    NarrowConverter converter("CP932");
    if (converter.isValid())
        return converter.decode(bytes);
    // A C library without the CP932 module: ICU's converter, whose replacement is U+001A.
    return QStringDecoder("windows-31j").decode(bytes);
}

QString decodeEucJp(const QByteArray &bytes)
{
    NarrowConverter converter("EUC-JP-MS");
    if (converter.isValid())
        return converter.decode(bytes);
    return QStringDecoder("EUC-JP").decode(bytes);
}

bool isAscii(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool hasJisEscape(const QByteArray &bytes)
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

QString withoutBom(QString text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

} // namespace

QString DecodeMailBytes(const QByteArray &bytes)
{
    const bool ascii = isAscii(bytes);
    if (ascii && hasJisEscape(bytes))
        return decodeCp932(JisToShiftJis(bytes));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(QByteArrayView(bytes).sliced(3));
    // Valid UTF-8 with a non-ASCII byte is almost never CP932 text by accident.
    if (!ascii && bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    return decodeCp932(bytes);
}

QString DecodePartBytes(const QByteArray &bytes, QByteArrayView charset)
{
    if (isOneOf(charset,
                {"ISO-2022-JP", "csISO2022JP", "ISO-2022-JP-MS", "CP50220", "CP50221", "CP50222"}))
        return withoutBom(decodeCp932(JisToShiftJis(bytes)));
    if (isOneOf(charset, {"Shift_JIS", "Shift-JIS", "SJIS", "x-sjis", "MS_Kanji", "csShiftJIS",
                          "Windows-31J", "CP932", "MS932"}))
        return withoutBom(decodeCp932(bytes));
    if (isOneOf(charset, {"EUC-JP", "eucJP", "x-euc-jp", "eucJP-ms", "CP51932"}))
        return withoutBom(decodeEucJp(bytes));
    if (isOneOf(charset, {"UTF-8", "utf8"}))
        return withoutBom(QString::fromUtf8(bytes));
    return DecodeMailBytes(bytes);
}
