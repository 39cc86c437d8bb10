// rotam-bench-gen-archive N OUT: writes a synthetic mail archive of N issues of the
// magazine, CP932 with CR LF, to time the intake on files far larger than any real mailbox.
// Each issue is about 1.1 KB: headers, a 10 x 10 grid, four hints, about ten comment lines
// and the footer with its advertisement.

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
    "今日もがんばりましょう。",
    "朝９時～は混みます。",
    "ヒント①が鍵です。",
    "ご感想をどうぞ。",
    "週末は大きな問題です。",
    "寒い日が続きますね。",
    "解けたら教えてください。",
    "先週のは難問でした。",
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

void appendIssue(std::string &out, long long number)
{
    using namespace std::chrono;
    const sys_days day = sys_days{2005y / January / 14} + days{number};
    const year_month_day ymd{day};
    const weekday wd{day};
    Pattern pattern(std::uint32_t(number) * 2654435761u + 1u);
    const auto line = [&out](std::string_view text) {
        out += text;
        out += "\r\n";
    };

    out += "From: rotam@example.com\r\nSubject: rotam ";
    appendNumber(out, number);
    out += "\r\nDate: ";
    out += kWeekdays[wd.c_encoding()];
    out += ", ";
    appendNumber(out, unsigned(ymd.day()));
    out += ' ';
    out += kMonths[unsigned(ymd.month()) - 1];
    out += ' ';
    appendNumber(out, int(ymd.year()));
    out += " 06:00:00 +0900\r\n\r\n";

    out += "◇第";
    appendFullWidth(out, number);
    out += "回◇　今日の問題\r\n";
    out += "　\r\n";

    out += "　　";
    for (const auto label : kColLabels)
        out += label;
    out += "\r\n";
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
        out += "\r\n";
    }
    out += "\r\n";

    for (int h = 1; h <= 4; ++h) {
        out += "ヒント";
        appendFullWidth(out, h);
        out += "：";
        out += kColLabels[pattern.next() % kGridSize];
        out += "列から。\r\n";
    }
    out += "\r\n";

    line(kDividerA);
    line("【ひとこと】");
    const int comments = 8 + int(pattern.next() % 5);
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
    out += "\r\n";
}

// Converts whole issues at a time, so no UTF-8 sequence is ever split between two calls.
bool writeCp932(iconv_t cd, const std::string &utf8, std::FILE *file)
{
    // CP932 never needs more bytes than UTF-8 for the same text.
    std::string cp932(utf8.size(), '\0');
    char *in = const_cast<char *>(utf8.data());
    std::size_t inLeft = utf8.size();
    char *out = cp932.data();
    std::size_t outLeft = cp932.size();
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == std::size_t(-1)) {
        std::fprintf(stderr, "rotam-bench-gen-archive: iconv: %s\n", std::strerror(errno));
        return false;
    }
    const std::size_t length = cp932.size() - outLeft;
    return std::fwrite(cp932.data(), 1, length, file) == length;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: rotam-bench-gen-archive N OUT\n"
                             "writes N issues of the magazine, CP932 with CR LF, to OUT\n");
        return 2;
    }
    char *end = nullptr;
    const long long count = std::strtoll(argv[1], &end, 10);
    if (*argv[1] == '\0' || *end != '\0' || count < 0) {
        std::fprintf(stderr, "rotam-bench-gen-archive: N must be a whole number, not %s\n", argv[1]);
        return 2;
    }
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
    for (long long i = 1; i <= count && ok; ++i) {
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
