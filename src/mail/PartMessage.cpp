#include "PartMessage.h"

#include <QList>

namespace {

bool startsField(const QByteArray &line, const char *name)
{
    return line.size() > qsizetype(qstrlen(name)) && line.first(qstrlen(name)).toLower() == name;
}

// The header's fields, each with its continuation lines, up to the empty line.
QList<QByteArray> fields(const QByteArray &header)
{
    QList<QByteArray> result;
    for (QByteArray line : header.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty()) {
            if (!result.isEmpty())
                break;
            continue;
        }
        if ((line.startsWith(' ') || line.startsWith('\t')) && !result.isEmpty())
            result.last() += "\r\n" + line;
        else
            result.append(line);
    }
    return result;
}

} // namespace

QByteArray partMessage(const QByteArray &header, const QByteArray &partHeader,
                       const QByteArray &body)
{
    QByteArray bytes;
    for (const QByteArray &field : fields(header))
        if (!startsField(field, "content-") && !startsField(field, "mime-version:"))
            bytes += field + "\r\n";
    bytes += "MIME-Version: 1.0\r\n";
    for (const QByteArray &field : fields(partHeader))
        if (startsField(field, "content-"))
            bytes += field + "\r\n";
    return bytes + "\r\n" + body;
}
