// rotam-bench-bare-mbox MBOX: the anchor for the mbox load, the least any reader of it must
// do. GMime parses the mbox from a plain file stream (GMimeStreamFs), leaving the parts in
// the file; each message's body part is decoded from its transfer encoding, moved from JIS
// X 0208 to Shift_JIS by arithmetic and converted CP932 -> UTF-16LE by iconv. Attachments
// are left alone. No lines, no parse, no records. Prints the messages and UTF-16 bytes it
// produced.
#include <gmime/gmime.h>

#include <fcntl.h>
#include <iconv.h>

#include <cstdio>
#include <vector>

namespace {

// Escape sequences dropped, JIS pairs to Shift_JIS, everything else kept.
std::size_t jisToSjis(const unsigned char *in, std::size_t length, char *out)
{
    std::size_t n = 0;
    bool kanji = false;
    for (std::size_t i = 0; i < length; ++i) {
        if (in[i] == 0x1B && i + 2 < length) {
            kanji = in[i + 1] == '$';
            i += 2;
        } else if (kanji && in[i] > 0x20 && i + 1 < length) {
            const unsigned j1 = in[i], j2 = in[++i];
            out[n++] = char(((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0));
            out[n++] = char((j1 & 1) ? j2 + (j2 >= 0x60 ? 0x20 : 0x1F) : j2 + 0x7E);
        } else {
            out[n++] = char(in[i]);
        }
    }
    return n;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: rotam-bench-bare-mbox MBOX\n");
        return 2;
    }
    g_mime_init();
    const int fd = open(argv[1], O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 1;
    GMimeStream *stream = g_mime_stream_fs_new(fd);
    GMimeParser *parser = g_mime_parser_new_with_stream(stream);
    g_mime_parser_set_format(parser, GMIME_FORMAT_MBOX);
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    std::vector<char> sjis;
    std::vector<char> utf16;
    long long messages = 0;
    long long produced = 0;
    while (!g_mime_parser_eos(parser)) {
        GMimeMessage *message = g_mime_parser_construct_message(parser, nullptr);
        if (!message)
            break;
        GMimeObject *part = g_mime_message_get_body(message);
        if (part && GMIME_IS_PART(part) && g_mime_part_get_content(GMIME_PART(part))) {
            GMimeStream *content = g_mime_stream_mem_new();
            g_mime_data_wrapper_write_to_stream(g_mime_part_get_content(GMIME_PART(part)), content);
            GByteArray *bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(content));
            sjis.resize(bytes->len);
            const std::size_t length = jisToSjis(bytes->data, bytes->len, sjis.data());
            utf16.resize(length * 2);
            char *in = sjis.data();
            std::size_t inLeft = length;
            char *out = utf16.data();
            std::size_t outLeft = utf16.size();
            iconv(cd, &in, &inLeft, &out, &outLeft);
            produced += (long long)(utf16.size() - outLeft);
            g_object_unref(content);
        }
        ++messages;
        g_object_unref(message);
    }
    iconv_close(cd);
    g_object_unref(parser);
    g_object_unref(stream);
    std::printf("%lld messages, %lld UTF-16 bytes\n", messages, produced);
    return 0;
}
