// rotam-bench-gen-archive [--mbox] N OUT: writes a synthetic mail archive of N issues of
// the magazine, CP932 with CR LF, to time the intake on files far larger than any real
// mailbox. Each issue is about 1.1 KB: headers, a 10 x 10 grid, four hints, about ten
// comment lines and the footer with its advertisement.
// With --mbox it writes an mbox of N messages instead, as a mail program keeps them: LF
// line ends, each body ISO-2022-JP (7bit) with 25 comment lines, about 2.7 KB a message.
// With --inbox N P it writes an mbox of those N messages among P mails that each carry a
// 1 MiB photo (base64, about 1.35 MB): a long-time user's Inbox.

#include <glib.h>
#include <iconv.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kDividerA = "□□□■□□■□□□□■□□□□□■□□□□□□□■□□□■";
constexpr std::string_view kDividerB = "■□□□□■□□□□■□□□□■□□□□□■□□□□□■□□";
constexpr std::string_view kDividerC = "□□□□□□■□□□□■□■□■□□■□□□■□□□□□■□";
constexpr std::string_view kDividerD = "□■□□■□■□■□■□□□□□□□■□□■□□□□□■□□";
constexpr std::string_view kDividerE = "□■□□□□□■□□■□□■□□□■□□□■□□□□■□□■";

constexpr int kGridSize = 10;
constexpr std::string_view kColLabels[kGridSize] = {"Ａ", "Ｂ", "Ｃ", "Ｄ", "Ｅ",
                                                    "Ｆ", "Ｇ", "Ｈ", "Ｉ", "Ｊ"};
constexpr std::string_view kRowLabels[kGridSize] = {"一", "二", "三", "四", "五",
                                                    "六", "七", "八", "九", "十"};
constexpr std::string_view kLevels[] = {"初級", "中級", "上級"};
constexpr std::string_view kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::string_view kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
// Comment sentences of varied length; "～" and "①" have no plain Shift_JIS code.
constexpr std::string_view kSentences[] = {
    "今日もがんばりましょう。", "朝９時～は混みます。",   "ヒント①が鍵です。",
    "ご感想をどうぞ。",         "週末は大きな問題です。", "寒い日が続きますね。",
    "解けたら教えてください。", "先週のは難問でした。",
};

void appendNumber(std::string &out, long long value)
{
    out += std::to_string(value);
}

// Full-width digits U+FF10..U+FF19, as the magazine writes its issue numbers.
void appendFullWidth(std::string &out, long long value)
{
    for (const char digit : std::to_string(value)) {
        out += "\xEF\xBC";
        out += char(0x90 + (digit - '0'));
    }
}

class Pattern
{
public:
    explicit Pattern(std::uint32_t seed) : m_state(seed) {}
    std::uint32_t next()
    {
        m_state = m_state * 1103515245u + 12345u;
        return (m_state >> 16) & 0x7FFF;
    }

private:
    std::uint32_t m_state;
};

struct Shape
{
    std::string_view lineEnd = "\r\n";
    int fixedComments = 0; // 0: eight to twelve
};

void appendIssue(std::string &out, long long number, const Shape &shape = {})
{
    using namespace std::chrono;
    const sys_days day = sys_days{2005y / January / 14} + days{number};
    const year_month_day ymd{day};
    const weekday wd{day};
    Pattern pattern(std::uint32_t(number) * 2654435761u + 1u);
    const auto line = [&out, &shape](std::string_view text) {
        out += text;
        out += shape.lineEnd;
    };

    out += "From: rotam@example.com";
    out += shape.lineEnd;
    out += "Subject: rotam ";
    appendNumber(out, number);
    out += shape.lineEnd;
    out += "Date: ";
    out += kWeekdays[wd.c_encoding()];
    out += ", ";
    appendNumber(out, unsigned(ymd.day()));
    out += ' ';
    out += kMonths[unsigned(ymd.month()) - 1];
    out += ' ';
    appendNumber(out, int(ymd.year()));
    out += " 06:00:00 +0900";
    out += shape.lineEnd;
    if (shape.fixedComments > 0) { // an mbox message: the body is ISO-2022-JP
        line("MIME-Version: 1.0");
        line("Content-Type: text/plain; charset=ISO-2022-JP");
        line("Content-Transfer-Encoding: 7bit");
    }
    out += shape.lineEnd;

    out += "◇第";
    appendFullWidth(out, number);
    line("回◇　今日の問題");
    line("　");

    out += "　　";
    for (const auto label : kColLabels)
        out += label;
    out += shape.lineEnd;
    // About two issues in three carry a note to the right of one row.
    const int noteRow = number % 3 == 0 ? -1 : int(pattern.next() % kGridSize);
    for (int r = 0; r < kGridSize; ++r) {
        out += "　";
        out += kRowLabels[r];
        for (int c = 0; c < kGridSize; ++c)
            out += pattern.next() % 5 == 0 ? "■" : "□";
        if (r == noteRow) {
            out += "　難易度：";
            out += kLevels[number % 3];
        }
        out += shape.lineEnd;
    }
    out += shape.lineEnd;

    for (int h = 1; h <= 4; ++h) {
        out += "ヒント";
        appendFullWidth(out, h);
        out += "：";
        out += kColLabels[pattern.next() % kGridSize];
        out += "列から。";
        out += shape.lineEnd;
    }
    out += shape.lineEnd;

    line(kDividerA);
    line("【ひとこと】");
    const int comments =
        shape.fixedComments > 0 ? shape.fixedComments : 8 + int(pattern.next() % 5);
    for (int k = 0; k < comments; ++k)
        line(kSentences[pattern.next() % std::size(kSentences)]);
    line(kDividerB);
    line("発行責任者　：ロタム編集部(rotam@example.com)");
    line("マガジンＩＤ：0001234567");
    line(kDividerD);
    line("【ＰＲ】");
    line(kDividerE);
    line("解除：example.com");
    line(kDividerC);
    out += shape.lineEnd;
}

// Converts whole issues at a time, so no UTF-8 sequence is ever split between two calls.
bool toCp932(iconv_t cd, const std::string &utf8, std::string &cp932)
{
    // CP932 never needs more bytes than UTF-8 for the same text.
    cp932.assign(utf8.size(), '\0');
    char *in = const_cast<char *>(utf8.data());
    std::size_t inLeft = utf8.size();
    char *out = cp932.data();
    std::size_t outLeft = cp932.size();
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == std::size_t(-1)) {
        std::fprintf(stderr, "rotam-bench-gen-archive: iconv: %s\n", std::strerror(errno));
        return false;
    }
    cp932.resize(cp932.size() - outLeft);
    return true;
}

// ISO-2022-JP as Windows writes it: each Shift_JIS pair moved back to JIS X 0208.
std::string cp932ToJis(const std::string &sjis)
{
    std::string jis;
    bool kanji = false;
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const auto s1 = static_cast<unsigned char>(sjis[i]);
        if (s1 < 0x80) {
            if (kanji)
                jis += "\x1B(B";
            kanji = false;
            jis += char(s1);
            continue;
        }
        if (!kanji)
            jis += "\x1B$B";
        kanji = true;
        const auto s2 = static_cast<unsigned char>(sjis[++i]);
        int j1 = ((s1 >= 0xE0 ? s1 - 0x40 : s1) - 0x81) * 2 + 0x21;
        int j2 = 0;
        if (s2 >= 0x9F) {
            ++j1;
            j2 = s2 - 0x7E;
        } else {
            j2 = s2 - 0x1F - (s2 >= 0x80 ? 1 : 0);
        }
        jis += char(j1);
        jis += char(j2);
    }
    if (kanji)
        jis += "\x1B(B";
    return jis;
}

bool writeMboxMessage(iconv_t cd, long long number, std::FILE *file)
{
    std::string utf8;
    appendIssue(utf8, number, Shape{"\n", 25});
    std::string cp932;
    if (!toCp932(cd, utf8, cp932))
        return false;
    const std::string message =
        "From rotam@example.com Sat Jan 15 06:00:00 2005\n" + cp932ToJis(cp932);
    return std::fwrite(message.data(), 1, message.size(), file) == message.size();
}

// The same photo for every mail: its bytes are noise, so the base64 text has no pattern.
std::string photoMailTail()
{
    std::string photo(std::size_t(1) << 20, '\0');
    Pattern pattern(7);
    for (char &byte : photo)
        byte = char(pattern.next());
    std::string encoded((photo.size() / 3 + 1) * 4 * 77 / 72 + 8, '\0');
    gint state = 0;
    gint save = 0;
    const auto *in = reinterpret_cast<const guchar *>(photo.data());
    std::size_t length =
        g_base64_encode_step(in, photo.size(), TRUE, encoded.data(), &state, &save);
    length += g_base64_encode_close(TRUE, encoded.data() + length, &state, &save);
    encoded.resize(length);
    return "--photo\nContent-Type: image/jpeg; name=photo.jpg\n"
           "Content-Disposition: attachment; filename=photo.jpg\n"
           "Content-Transfer-Encoding: base64\n\n" +
           encoded + "--photo--\n\n";
}

bool writePhotoMail(iconv_t cd, long long number, const std::string &tail, std::FILE *file)
{
    std::string greeting;
    if (!toCp932(cd, "写真を送ります。\n", greeting))
        return false;
    std::string message = "From family@example.com Sat Jan 15 07:00:00 2005\n"
                          "From: family@example.com\nSubject: photo ";
    appendNumber(message, number);
    message += "\nDate: Sat, 15 Jan 2005 07:00:00 +0900\nMIME-Version: 1.0\n"
               "Content-Type: multipart/mixed; boundary=photo\n\n"
               "--photo\nContent-Type: text/plain; charset=ISO-2022-JP\n"
               "Content-Transfer-Encoding: 7bit\n\n" +
               cp932ToJis(greeting);
    return std::fwrite(message.data(), 1, message.size(), file) == message.size() &&
           std::fwrite(tail.data(), 1, tail.size(), file) == tail.size();
}

bool writeCp932(iconv_t cd, const std::string &utf8, std::FILE *file)
{
    std::string cp932;
    if (!toCp932(cd, utf8, cp932))
        return false;
    return std::fwrite(cp932.data(), 1, cp932.size(), file) == cp932.size();
}

} // namespace

int main(int argc, char **argv)
{
    const bool inbox = argc == 5 && std::strcmp(argv[1], "--inbox") == 0;
    const bool mbox = inbox || (argc == 4 && std::strcmp(argv[1], "--mbox") == 0);
    if (mbox) {
        --argc;
        ++argv;
    }
    if (argc != (inbox ? 4 : 3)) {
        std::fprintf(stderr, "usage: rotam-bench-gen-archive [--mbox N | --inbox N P | N] OUT\n"
                             "writes N issues of the magazine, CP932 with CR LF, to OUT;\n"
                             "with --mbox, an mbox of N ISO-2022-JP messages; with --inbox,\n"
                             "those among P mails with a 1 MiB photo each\n");
        return 2;
    }
    long long numbers[2] = {0, 0};
    for (int k = 0; k < (inbox ? 2 : 1); ++k) {
        char *end = nullptr;
        numbers[k] = std::strtoll(argv[1 + k], &end, 10);
        if (*argv[1 + k] == '\0' || *end != '\0' || numbers[k] < 0) {
            std::fprintf(stderr, "rotam-bench-gen-archive: counts must be whole numbers, not %s\n",
                         argv[1 + k]);
            return 2;
        }
    }
    const long long count = numbers[0];
    const long long photos = numbers[1];
    if (inbox)
        ++argv;
    const iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == iconv_t(-1)) {
        std::fprintf(stderr, "rotam-bench-gen-archive: no UTF-8 to CP932 converter: %s\n",
                     std::strerror(errno));
        return 1;
    }
    std::FILE *file = std::fopen(argv[2], "wb");
    if (!file) {
        std::fprintf(stderr, "rotam-bench-gen-archive: %s: %s\n", argv[2], std::strerror(errno));
        return 1;
    }

    bool ok = true;
    std::string chunk;
    const std::string photoTail = photos > 0 ? photoMailTail() : std::string();
    long long photosWritten = 0;
    for (long long i = 1; i <= count && ok && mbox; ++i) {
        ok = writeMboxMessage(cd, i, file);
        for (; ok && photosWritten < i * photos / count; ++photosWritten)
            ok = writePhotoMail(cd, photosWritten + 1, photoTail, file);
    }
    for (long long i = 1; i <= count && ok && !mbox; ++i) {
        appendIssue(chunk, i);
        if (chunk.size() >= (1u << 20) || i == count) {
            ok = writeCp932(cd, chunk, file);
            chunk.clear();
        }
    }
    ok = std::fclose(file) == 0 && ok;
    iconv_close(cd);
    if (!ok) {
        std::fprintf(stderr, "rotam-bench-gen-archive: could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
