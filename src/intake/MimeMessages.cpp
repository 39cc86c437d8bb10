// GMime's headers use `signals` as a name: they come before any Qt header.
#include <gmime/gmime.h>

#include "MimeMessages.h"

#include "LineArray.h"
#include "MailDecoder.h"
#include "RawTextQueue.h"

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

// The part's content without its transfer encoding.
QByteArray decodedContent(GMimePart *part)
{
    GMimeDataWrapper *content = g_mime_part_get_content(part);
    if (!content)
        return {};
    const Owned<GMimeStream> stream(g_mime_stream_mem_new());
    g_mime_data_wrapper_write_to_stream(content, stream.get());
    const GByteArray *bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(stream.get()));
    return QByteArray(reinterpret_cast<const char *>(bytes->data), qsizetype(bytes->len));
}

// The Date field's value, unfolded and trimmed; null without the field.
QByteArray dateValue(GMimeMessage *message)
{
    GMimeHeaderList *headers = g_mime_object_get_header_list(GMIME_OBJECT(message));
    GMimeHeader *date = headers ? g_mime_header_list_get_header(headers, "Date") : nullptr;
    const char *raw = date ? g_mime_header_get_raw_value(date) : nullptr;
    if (!raw)
        return {};
    char *unfolded = g_mime_utils_header_unfold(raw);
    QByteArray value = QByteArray(unfolded).trimmed();
    g_free(unfolded);
    return value.isNull() ? QByteArray("") : value;
}

void takeLines(const RawText &raw, const TextSink &take)
{
    LineArray lines;
    if (!raw.date.isNull())
        lines.append(QString(QStringLiteral("Date: ") + DecodeMailBytes(raw.date)));
    lines.appendMessageText(raw.headerless ? DecodeMailBytes(raw.content)
                                           : DecodePartBytes(raw.content, raw.charset));
    take(lines);
}

RawText bodyOnly(QByteArrayView body)
{
    RawText raw;
    raw.content = body.toByteArray();
    raw.headerless = true;
    return raw;
}

// What the message gives to parse, if it has a text part.
std::optional<RawText> rawText(GMimeMessage *message)
{
    GMimePart *part = firstTextPart(g_mime_message_get_mime_part(message));
    if (!part)
        return std::nullopt;
    const char *charset = g_mime_object_get_content_type_parameter(GMIME_OBJECT(part), "charset");
    return RawText{dateValue(message), decodedContent(part), QByteArray(charset ? charset : ""),
                   false};
}

// The start of the next line at or after from that begins with "From ", or the end.
qsizetype nextFromLine(QByteArrayView mbox, qsizetype from)
{
    for (qsizetype at = from; at < mbox.size();) {
        if (mbox.sliced(at).startsWith("From "))
            return at;
        const qsizetype end = mbox.indexOf('\n', at);
        if (end < 0)
            break;
        at = end + 1;
    }
    return mbox.size();
}

// Reads the messages of mbox from offset with GMime until one GMime cannot take: a message
// without a header block, on which its parser stalls. That one is read here as all body.
// Returns where reading goes on, always beyond offset.
qsizetype readMboxFrom(GMimeStream *whole, QByteArrayView mbox, qsizetype offset,
                       RawTextQueue &queue)
{
    const Owned<GMimeStream> rest(g_mime_stream_substream(whole, offset, mbox.size()));
    const Owned<GMimeParser> parser(g_mime_parser_new_with_stream(rest.get()));
    g_mime_parser_set_format(parser.get(), GMIME_FORMAT_MBOX);
    const gint64 base = g_mime_parser_tell(parser.get()) - offset;
    gint64 position = offset;
    while (!g_mime_parser_eos(parser.get())) {
        const Owned<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), nullptr));
        const gint64 now = g_mime_parser_tell(parser.get()) - base;
        if (!message || now <= position) {
            if (g_mime_parser_eos(parser.get()))
                break;
            const qsizetype marker = g_mime_parser_get_mbox_marker_offset(parser.get()) - base;
            const qsizetype lineEnd = mbox.indexOf('\n', std::max<qsizetype>(marker, offset));
            const qsizetype start = lineEnd < 0 ? mbox.size() : lineEnd + 1;
            const qsizetype next = nextFromLine(mbox, start);
            queue.push(bodyOnly(withoutFinalEmptyLine(mbox.sliced(start, next - start))));
            return std::max<qsizetype>(next, offset + 1);
        }
        position = now;
        // A "From " line followed directly by the next one or by the end: no message.
        if (g_mime_parser_get_headers_begin(parser.get()) - base >= now)
            continue;
        if (auto raw = rawText(message.get()); raw && !queue.push(std::move(*raw)))
            return mbox.size(); // the parse has stopped
    }
    return mbox.size();
}

} // namespace

bool IsHeaderField(QByteArrayView line)
{
    qsizetype i = 0;
    while (i < line.size() && line[i] > ' ' && line[i] < 0x7F && line[i] != ':')
        ++i;
    return i > 0 && i < line.size() && line[i] == ':';
}

bool BeginsWithMimeHeaders(QByteArrayView bytes)
{
    bool mime = false;
    for (qsizetype at = 0; at < bytes.size();) {
        const QByteArrayView line = firstLine(bytes.sliced(at));
        if (line.isEmpty())
            return mime;
        const bool continuation = at > 0 && (line.front() == ' ' || line.front() == '\t');
        if (!continuation && !IsHeaderField(line))
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

void ReadMessage(const QByteArray &bytes, const TextSink &take)
{
    if (!IsHeaderField(firstLine(bytes))) {
        takeLines(bodyOnly(bytes), take);
        return;
    }
    initGMime();
    const Owned<GMimeStream> stream(
        g_mime_stream_mem_new_with_buffer(bytes.constData(), size_t(bytes.size())));
    const Owned<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    const Owned<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), nullptr));
    if (!message)
        return;
    if (const auto raw = rawText(message.get()))
        takeLines(*raw, take);
}

void ReadMbox(const QByteArray &bytes, const TextSink &take)
{
    initGMime();
    // Two cores: GMime takes the messages apart in one thread while this one decodes and
    // parses them, which together cost about as much again.
    RawTextQueue queue;
    std::thread reader([&queue, &bytes] {
        const QByteArrayView mbox = withoutFinalEmptyLine(bytes);
        const Owned<GMimeStream> whole(
            g_mime_stream_mem_new_with_buffer(mbox.data(), size_t(mbox.size())));
        for (qsizetype offset = 0; offset < mbox.size();)
            offset = readMboxFrom(whole.get(), mbox, offset, queue);
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
    } join{queue, reader};
    while (const auto raw = queue.pop())
        takeLines(*raw, take);
}
