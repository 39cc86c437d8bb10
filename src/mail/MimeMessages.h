#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

class LineArray;

// Takes the lines of one text: a file, a message or pasted text, to be parsed on its own.
// It may keep them, leaving other lines in their place for the reader to fill again.
using TextSink = std::function<void(LineArray &lines)>;

// Whether a line (without its line end) is a header field: a name of printable ASCII
// without a colon, then a colon.
bool isHeaderField(QByteArrayView line);

// Whether the bytes begin with a block of header fields, up to the first empty line, that
// holds a MIME-Version or Content-Type field: a saved message, not a mail saved as text.
bool beginsWithMimeHeaders(QByteArrayView bytes);

// Hands take the text of each message that has one, in order. A message's text is its
// Date line, if it has one, and the lines of its first text/plain part that is not an
// attachment, depth first, attached messages included; a message without such a part gives
// no text at all. A message whose first line is not a header field is all body, read as
// text/plain without a charset.
void readMessage(const QByteArray &bytes, const TextSink &take);
// Likewise for each message of an mbox: every line that begins with "From " starts one.
void readMbox(const QByteArray &bytes, const TextSink &take);

// Told as a file is read, on the thread that takes its texts: the bytes read of it so far and
// its size. Returning false stops the reading.
using ReadProgress = std::function<bool(qint64 done, qint64 size)>;

// Likewise for the mbox in the open file fd, streamed: memory grows neither with the file nor
// with its attachments, which are never decoded. It reads the first size bytes, what the file
// held when it was opened, or as many as it still holds: a file cut short ends the reading,
// and what is added to it is left for the next load. progress is told after each message.
// Returns false if progress stopped the reading.
bool readMboxFile(int fd, qint64 size, const TextSink &take, const ReadProgress &progress = {});
