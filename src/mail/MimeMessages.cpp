// GMime's headers use `signals` as a name: they come before any Qt header.
#include <gmime/gmime.h>

#include "MimeMessages.h"

#include "LineArray.h"
#include "MailDecoder.h"
#include "RawTextQueue.h"

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

namespace {

struct Unref
{
    void operator()(void *object) const { g_object_unref(object); }
};
template <typename T> using Owned = std::unique_ptr<T, Unref>;

void initGMime()
{
    static const bool initialised = [] {
        g_mime_init();
        return true;
    }();
    (void)initialised;
}

QByteArrayView firstLine(QByteArrayView bytes)
{
    const qsizetype end = bytes.indexOf('\n');
    QByteArrayView line = end < 0 ? bytes : bytes.first(end);
    return line.endsWith('\r') ? line.chopped(1) : line;
}

// The empty line that ends a message belongs to no message.
QByteArrayView withoutFinalEmptyLine(QByteArrayView bytes)
{
    if (bytes.endsWith("\r\n\r\n"))
        return bytes.chopped(2);
    if (bytes.endsWith("\n\n"))
        return bytes.chopped(1);
    return bytes;
}

bool startsWithField(QByteArrayView line, QByteArrayView name)
{
    return line.size() >= name.size() &&
           line.first(name.size()).compare(name, Qt::CaseInsensitive) == 0;
}

bool isAttachment(GMimeObject *part)
{
    const char *disposition = g_mime_object_get_disposition(part);
    return disposition && g_ascii_strcasecmp(disposition, "attachment") == 0;
}

// Depth first, without recursion: GMime lets multiparts nest a thousand deep.
GMimePart *firstTextPart(GMimeObject *root)
{
    std::vector<GMimeObject *> pending{root};
    while (!pending.empty()) {
        GMimeObject *object = pending.back();
        pending.pop_back();
        if (!object)
            continue;
        if (GMIME_IS_MESSAGE_PART(object)) {
            GMimeMessage *inner = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object));
            if (inner)
                pending.push_back(g_mime_message_get_mime_part(inner));
        } else if (GMIME_IS_MULTIPART(object)) {
            GMimeMultipart *multipart = GMIME_MULTIPART(object);
            for (int i = g_mime_multipart_get_count(multipart) - 1; i >= 0; --i)
                pending.push_back(g_mime_multipart_get_part(multipart, i));
        } else if (GMIME_IS_PART(object) && !isAttachment(object) &&
                   g_mime_content_type_is_type(g_mime_object_get_content_type(object), "text",
                                               "plain")) {
            return GMIME_PART(object);
        }
    }
    return nullptr;
}

// A stream that reads bytes in place: GMime's own memory stream would copy a whole mbox.
class BorrowedStream
{
public:
    explicit BorrowedStream(QByteArrayView bytes)
        : m_bytes(g_byte_array_new_take(
              reinterpret_cast<guint8 *>(const_cast<char *>(bytes.data())), gsize(bytes.size()))),
          m_stream(g_mime_stream_mem_new_with_byte_array(m_bytes))
    {
        g_mime_stream_mem_set_owner(GMIME_STREAM_MEM(m_stream.get()), false);
    }
    ~BorrowedStream()
    {
        m_stream.reset();
        g_byte_array_free(m_bytes, false); // the bytes themselves stay with their owner
    }
    BorrowedStream(const BorrowedStream &) = delete;
    BorrowedStream &operator=(const BorrowedStream &) = delete;

    GMimeStream *get() const { return m_stream.get(); }

private:
    GByteArray *m_bytes;
    Owned<GMimeStream> m_stream;
};

// Takes each message's part without its transfer encoding, into one buffer used again
// and again.
class ContentDecoder
{
public:
    ContentDecoder() : m_stream(g_mime_stream_mem_new()) {}

    QByteArrayView decode(GMimePart *part)
    {
        GByteArray *bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(m_stream.get()));
        g_byte_array_set_size(bytes, 0);
        g_mime_stream_reset(m_stream.get());
        if (GMimeDataWrapper *content = g_mime_part_get_content(part))
            g_mime_data_wrapper_write_to_stream(content, m_stream.get());
        return {reinterpret_cast<const char *>(bytes->data), qsizetype(bytes->len)};
    }

private:
    Owned<GMimeStream> m_stream;
};

// Writes the Date field's value, unfolded and trimmed, to the text; false without the field.
bool readDate(GMimeMessage *message, RawText &raw)
{
    GMimeHeaderList *headers = g_mime_object_get_header_list(GMIME_OBJECT(message));
    GMimeHeader *date = headers ? g_mime_header_list_get_header(headers, "Date") : nullptr;
    const char *value = date ? g_mime_header_get_raw_value(date) : nullptr;
    if (!value)
        return false;
    char *unfolded = g_mime_utils_header_unfold(value);
    RawText::assign(raw.date, QByteArrayView(unfolded).trimmed());
    g_free(unfolded);
    return true;
}

// Decodes a message's text into lines, both used again for every message, and hands them
// on.
struct TextTaker
{
    const TextSink &take;
    MailDecoder decoder;
    LineArray lines;

    void operator()(const RawText &raw)
    {
        lines.clear();
        if (raw.hasDate)
            lines.append(QString(QStringLiteral("Date: ") + decoder.mailBytes(raw.date)));
        lines.appendMessageText(raw.headerless ? decoder.mailBytes(raw.content)
                                               : decoder.partBytes(raw.content, raw.charset));
        take(lines);
    }
};

void fillBodyOnly(RawText &raw, QByteArrayView body)
{
    RawText::assign(raw.content, body);
    raw.headerless = true;
}

// Fills in what the message gives to parse; false if it has no text part.
bool fillRawText(GMimeMessage *message, ContentDecoder &decoder, RawText &raw)
{
    GMimePart *part = firstTextPart(g_mime_message_get_mime_part(message));
    if (!part)
        return false;
    const char *charset = g_mime_object_get_content_type_parameter(GMIME_OBJECT(part), "charset");
    raw.hasDate = readDate(message, raw);
    RawText::assign(raw.content, decoder.decode(part));
    RawText::assign(raw.charset, charset);
    return true;
}

// What the reader thread works with.
struct MboxReader
{
    GMimeStream *whole;
    gint64 end;
    RawTextQueue &queue;
    ContentDecoder decoder;
};

// Where the mbox ends for reading: the empty line that ends its last message belongs to no
// message.
gint64 endWithoutFinalEmptyLine(GMimeStream *stream, gint64 size)
{
    char tail[4];
    const gint64 from = std::max<gint64>(0, size - gint64(sizeof tail));
    if (g_mime_stream_seek(stream, from, GMIME_STREAM_SEEK_SET) != from)
        return size;
    const ssize_t got = g_mime_stream_read(stream, tail, size_t(size - from));
    if (got != size - from)
        return size;
    const QByteArrayView bytes(tail, got);
    return size - (bytes.size() - withoutFinalEmptyLine(bytes).size());
}

// Reads the message whose "From " line is at from as all body, up to the next line that
// begins with "From " or the end; returns where it ends.
gint64 readHeaderless(const MboxReader &reader, gint64 from, RawText &raw)
{
    const Owned<GMimeStream> rest(g_mime_stream_substream(reader.whole, from, reader.end));
    const Owned<GMimeStream> lines(
        g_mime_stream_buffer_new(rest.get(), GMIME_STREAM_BUFFER_BLOCK_READ));
    const std::unique_ptr<GByteArray, decltype(&g_byte_array_unref)> line(g_byte_array_new(),
                                                                          &g_byte_array_unref);
    g_mime_stream_buffer_readln(lines.get(), line.get());
    gint64 at = from + line->len;
    raw.content.truncate(0);
    for (;;) {
        g_byte_array_set_size(line.get(), 0);
        g_mime_stream_buffer_readln(lines.get(), line.get());
        const QByteArrayView text(reinterpret_cast<const char *>(line->data), line->len);
        if (text.isEmpty() || text.startsWith("From "))
            break;
        raw.content.append(text);
        at += text.size();
    }
    raw.content.chop(raw.content.size() - withoutFinalEmptyLine(raw.content).size());
    raw.headerless = true;
    return at;
}

// Reads the messages of the mbox from offset with GMime until one GMime cannot take: a
// message without a header block, on which its parser stalls. That one is read here as all
// body. Every message is handed on, with or without a text, to tell how far the reading
// went. Returns where reading goes on, always beyond offset.
gint64 readMboxFrom(MboxReader &reader, gint64 offset)
{
    const Owned<GMimeStream> rest(g_mime_stream_substream(reader.whole, offset, reader.end));
    const Owned<GMimeParser> parser(g_mime_parser_new_with_stream(rest.get()));
    g_mime_parser_set_format(parser.get(), GMIME_FORMAT_MBOX);
    const gint64 base = g_mime_parser_tell(parser.get()) - offset;
    gint64 position = offset;
    while (!g_mime_parser_eos(parser.get())) {
        const Owned<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), nullptr));
        const gint64 now = g_mime_parser_tell(parser.get()) - base;
        RawText *raw = reader.queue.slot();
        if (!raw)
            return reader.end; // the parse has stopped
        if (!message || now <= position) {
            if (g_mime_parser_eos(parser.get()))
                break;
            const gint64 marker = g_mime_parser_get_mbox_marker_offset(parser.get()) - base;
            const gint64 next = readHeaderless(reader, std::max(marker, offset), *raw);
            raw->read = next;
            reader.queue.push();
            return std::max(next, offset + 1);
        }
        position = now;
        // A "From " line followed directly by the next one or by the end: no message.
        if (g_mime_parser_get_headers_begin(parser.get()) - base >= now)
            continue;
        raw->withoutText = !fillRawText(message.get(), reader.decoder, *raw);
        raw->read = now;
        reader.queue.push();
    }
    return reader.end;
}

// Two cores: GMime takes the messages apart in one thread while this one decodes and parses
// them, which together cost about as much again.
bool readMboxStream(GMimeStream *whole, qint64 size, const TextSink &take,
                    const ReadProgress &progress)
{
    RawTextQueue queue;
    std::thread readerThread([&queue, whole, size] {
        MboxReader reader{whole, endWithoutFinalEmptyLine(whole, size), queue, {}};
        for (gint64 offset = 0; offset < reader.end;)
            offset = readMboxFrom(reader, offset);
        queue.flush();
        queue.close();
    });
    const struct Join
    {
        RawTextQueue &queue;
        std::thread &reader;
        ~Join()
        {
            queue.close();
            reader.join();
        }
    } join{queue, readerThread};
    TextTaker taker{take, {}, {}};
    qint64 told = 0;
    while (const RawText *raw = queue.pop()) {
        if (!raw->withoutText)
            taker(*raw);
        if (!progress || raw->read <= told)
            continue;
        told = raw->read;
        if (!progress(told, size))
            return false;
    }
    return true;
}

} // namespace

bool isHeaderField(QByteArrayView line)
{
    qsizetype i = 0;
    while (i < line.size() && line[i] > ' ' && line[i] < 0x7F && line[i] != ':')
        ++i;
    return i > 0 && i < line.size() && line[i] == ':';
}

bool beginsWithMimeHeaders(QByteArrayView bytes)
{
    bool mime = false;
    for (qsizetype at = 0; at < bytes.size();) {
        const QByteArrayView line = firstLine(bytes.sliced(at));
        if (line.isEmpty())
            return mime;
        const bool continuation = at > 0 && (line.front() == ' ' || line.front() == '\t');
        if (!continuation && !isHeaderField(line))
            return false;
        mime = mime || startsWithField(line, "MIME-Version:") ||
               startsWithField(line, "Content-Type:");
        const qsizetype end = bytes.indexOf('\n', at);
        if (end < 0)
            break;
        at = end + 1;
    }
    return false;
}

void readMessage(const QByteArray &bytes, const TextSink &take)
{
    RawText raw;
    TextTaker taker{take, {}, {}};
    if (!isHeaderField(firstLine(bytes))) {
        fillBodyOnly(raw, bytes);
        taker(raw);
        return;
    }
    initGMime();
    const BorrowedStream stream(bytes);
    const Owned<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    const Owned<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), nullptr));
    ContentDecoder content;
    if (message && fillRawText(message.get(), content, raw))
        taker(raw);
}

void readMbox(const QByteArray &bytes, const TextSink &take)
{
    initGMime();
    const BorrowedStream stream(bytes);
    readMboxStream(stream.get(), bytes.size(), take, {});
}

bool readMboxFile(int fd, qint64 size, const TextSink &take, const ReadProgress &progress)
{
    initGMime();
    // A plain file stream, not a map: a file cut short while mapped would kill the program.
    const Owned<GMimeStream> stream(g_mime_stream_fs_new_with_bounds(fd, 0, size));
    g_mime_stream_fs_set_owner(GMIME_STREAM_FS(stream.get()), false);
    return readMboxStream(stream.get(), size, take, progress);
}
