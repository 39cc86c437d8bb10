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
        QString text = decodeMailBytes(std::exchange(bytes, {})); // freed before the parse
        // The decoder wrote into room for one unit per byte, and an archive's Japanese text
        // leaves a third of it: given back, the pages it touched count no more.
        text.squeeze();
        LineArray lines;
        lines.appendFileText(text);
        take(lines);
    }
    return !progress || progress(size, size) ? FileEnd::Read : FileEnd::Stopped;
}
