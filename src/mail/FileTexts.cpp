#include "FileTexts.h"

#include "LineArray.h"
#include "MailDecoder.h"

#include <utility>

std::variant<FileEnd, ReadFailure> readFileTexts(const MailFile &file, const TextSink &take,
                                                 const ReadProgress &progress)
{
    auto opened = openRegularFile(file.path);
    if (const ReadFailure *failure = std::get_if<ReadFailure>(&opened))
        return *failure;
    const OpenFile &open = std::get<OpenFile>(opened);
    if (file.kind == FileKind::Sniffed && beginsWith(open, "From "))
        return readMboxFile(open.fd(), open.size(), take, progress) ? FileEnd::Read
                                                                    : FileEnd::Stopped;
    auto content = readWholeFile(open, file.path);
    if (const ReadFailure *failure = std::get_if<ReadFailure>(&content))
        return *failure;
    QByteArray bytes = std::get<QByteArray>(std::move(content));
    const qint64 size = bytes.size();
    if (file.kind == FileKind::Message || beginsWithMimeHeaders(bytes)) {
        readMessage(bytes, take);
    } else {
        LineArray lines;
        lines.appendFileText(decodeMailBytes(std::exchange(bytes, {}))); // freed before the parse
        take(lines);
    }
    return !progress || progress(size, size) ? FileEnd::Read : FileEnd::Stopped;
}
