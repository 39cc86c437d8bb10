#pragma once

#include <QByteArrayView>
#include <QString>

#include <iconv.h>

// One iconv conversion to UTF-16 from a charset in which every byte gives at most one
// UTF-16 unit (CP932, EUC-JP-MS), so the output never outgrows the input. It stays open
// for one text after another: opening it costs as much as converting a short mail.
class NarrowConverter
{
public:
    explicit NarrowConverter(const char *from);
    ~NarrowConverter();
    NarrowConverter(const NarrowConverter &) = delete;
    NarrowConverter &operator=(const NarrowConverter &) = delete;

    bool isValid() const { return m_cd != iconv_t(-1); }

    // Replaces text with the decoded bytes. An invalid or truncated sequence gives one U+FFFD for
    // its lead byte, and the next byte starts over, so a stray byte never swallows a valid one.
    void decode(QByteArrayView bytes, QString &text);
    // Decodes into out, which has room for one unit per byte; returns the units written.
    qsizetype decode(QByteArrayView bytes, char16_t *out);

    // Gives text room for the decoding of that many bytes, in its own buffer where that is
    // large enough.
    static char16_t *makeRoom(QString &text, qsizetype bytes);

private:
    iconv_t m_cd;
};
