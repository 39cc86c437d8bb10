#include "NarrowConverter.h"

#include "LargeBuffers.h"

#include <cerrno>
#include <cstring>

NarrowConverter::NarrowConverter(const char *from) : m_cd(iconv_open("UTF-16LE", from)) {}

NarrowConverter::~NarrowConverter()
{
    if (isValid())
        iconv_close(m_cd);
}

char16_t *NarrowConverter::makeRoom(QString &text, qsizetype bytes)
{
    if (text.capacity() < bytes) {
        text = QString(bytes, Qt::Uninitialized);
        adviseHugePages(text.data(), size_t(text.size()) * sizeof(char16_t));
    } else {
        text.resize(bytes);
    }
    return reinterpret_cast<char16_t *>(text.data());
}

void NarrowConverter::decode(QByteArrayView bytes, QString &text)
{
    text.truncate(decode(bytes, makeRoom(text, bytes.size())));
}

qsizetype NarrowConverter::decode(QByteArrayView bytes, char16_t *out)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the converter writes UTF-16LE");
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char *const begin = reinterpret_cast<char *>(out);
    char *next = begin;
    size_t outLeft = size_t(bytes.size()) * sizeof(char16_t);
    while (inLeft > 0) {
        if (iconv(m_cd, &in, &inLeft, &next, &outLeft) != size_t(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break;
        const char16_t replacement = u'\uFFFD';
        std::memcpy(next, &replacement, sizeof replacement);
        next += sizeof replacement;
        outLeft -= sizeof replacement;
        ++in;
        --inLeft;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    }
    return (next - begin) / qsizetype(sizeof(char16_t));
}
