#include "TextIntake.h"

#include "LargeBuffers.h"

#include <QStringDecoder>

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace {

class Cp932Converter
{
public:
    Cp932Converter() : m_cd(iconv_open("UTF-16LE", "CP932")) {}
    ~Cp932Converter()
    {
        if (m_cd != iconv_t(-1))
            iconv_close(m_cd);
    }
    Cp932Converter(const Cp932Converter &) = delete;
    Cp932Converter &operator=(const Cp932Converter &) = delete;

    bool isValid() const { return m_cd != iconv_t(-1); }

    // Every CP932 byte gives at most one UTF-16 unit, so the output never outgrows the input.
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

bool hasUtf8Bom(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

bool isAscii(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

QString DecodeMailBytes(const QByteArray &bytes)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the CP932 decoder writes UTF-16LE");
    if (hasUtf8Bom(bytes))
        return QString::fromUtf8(QByteArrayView(bytes).sliced(3));
    // Valid UTF-8 with a non-ASCII byte is almost never CP932 text by accident.
    if (!isAscii(bytes) && bytes.isValidUtf8())
        return QString::fromUtf8(bytes);

    Cp932Converter converter;
    if (converter.isValid())
        return converter.decode(bytes);
    // A C library without the CP932 module: ICU's converter, whose replacement is U+001A.
    return QStringDecoder("windows-31j").decode(bytes);
}
