#!/usr/bin/env python3
"""Writes the sample mail files in examples/.

The text samples are saved mails of 今日のロタム as a Japanese Windows mailer stores them:
CP932 text with CR LF line ends. The others are raw mail as mail programs keep it: a saved
message (.eml), an mbox and a Maildir, in ISO-2022-JP and UTF-8. They are kept here as
UTF-8 source so that they can be read and edited; run this script after a change and
commit the regenerated files.

    python3 scripts/make-examples.py [OUTDIR]
"""

import sys
from email import policy
import base64
from email.header import Header
from email.mime.multipart import MIMEMultipart
from email.mime.nonmultipart import MIMENonMultipart
from email.mime.text import MIMEText
from email.utils import format_datetime
from datetime import datetime, timedelta, timezone
from pathlib import Path

DIVIDER_A = "□□□■□□■□□□□■□□□□□■□□□□□□□■□□□■"
DIVIDER_B = "■□□□□■□□□□■□□□□■□□□□□■□□□□□■□□"
DIVIDER_C = "□□□□□□■□□□□■□■□■□□■□□□■□□□□□■□"
DIVIDER_D = "□■□□■□■□■□■□□□□□□□■□□■□□□□□■□□"
DIVIDER_E = "□■□□□□□■□□■□□■□□□■□□□■□□□□■□□■"

IDSP = "\u3000"  # ideographic space: the empty row-label column and the gap before a note

FULL_UPPER = "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ"
FULL_LOWER = "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐ"
KANJI_NUM = "一二三四五六七八九十"
CIRCLED = "①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮"  # 0x8740.. in CP932, absent from plain Shift_JIS

MAGAZINE_ID = "0001234567"


def cells(size, seed):
    """A fixed, irregular pattern of blocks, the same on every run."""
    state = seed
    rows = []
    for _ in range(size):
        row = ""
        for _ in range(size):
            state = (state * 1103515245 + 12345) % 2**31
            row += "■" if (state >> 16) % 5 == 0 else "□"
        rows.append(row)
    return rows


def grid(col_labels, row_labels, notes, seed):
    """Header and rows; notes maps a row index (0 up) to the text right of that row."""
    size = len(col_labels)
    assert len(row_labels) == size
    lines = [IDSP * 2 + col_labels]
    for i, row in enumerate(cells(size, seed)):
        line = IDSP + row_labels[i] + row
        if i in notes:
            line += IDSP + notes[i]
        lines.append(line)
    return lines


def headers(number, date, to="reader@example.net", extra=()):
    return [
        "From: 今日のロタム <rotam@example.com>",
        f"To: {to}",
        f"Subject: 今日のロタム　第{fullwidth(number)}回",
        f"Date: {date}",
        f"Message-ID: <rotam.{number:05d}@mail.example.com>",
        *extra,
        "",
    ]


def fullwidth(number):
    return str(number).translate(str.maketrans("0123456789", "０１２３４５６７８９"))


def issue(number, subtitle, issue_date, grid_lines, hints, comment, publisher=True, ad=None):
    lines = [
        f"◇第{fullwidth(number)}回◇{IDSP}{subtitle}",
        f"{IDSP * 12}{issue_date}号",
        *grid_lines,
        "",
        *hints,
        "",
        "解答は明日の号に載せます。",
        "",
        DIVIDER_A,
        "【今日のひとこと】",
        *comment,
        DIVIDER_B,
        "このメールマガジンは、まぐまぐを利用して発行しています。",
    ]
    if publisher:
        lines.append("発行責任者　：ロタム編集部　山田花子(rotam@example.com)")
    lines += [
        f"マガジンＩＤ：{MAGAZINE_ID}",
        DIVIDER_D,
        *(ad or ["【ＰＲ】パズル雑誌「月刊マス目」３月号、好評発売中！", "　http://www.example.org/masume/"]),
        DIVIDER_E,
        "配信の解除・アドレスの変更：http://www.example.com/rotam/",
        DIVIDER_C,
    ]
    return lines


def single_issue():
    """One mail, one issue: 10 x 10, a grid note, four hints, a short comment."""
    return headers(123, "Sat, 15 Jan 2005 06:00:00 +0900") + issue(
        123, "今日の問題", "２００５年１月１５日（土）",
        grid(FULL_UPPER[:10], KANJI_NUM, {0: "難易度：中級"}, seed=123),
        [
            "ヒント①：まずＡ列に注目してください。",
            "ヒント②：三行目と八行目は似た形になります。",
            "ヒント③：Ｊ列は最後に決まります。",
            "ヒント④：答えは一通りに決まります。",
        ],
        [
            "今週は寒い日が続きますね。",
            "編集部では朝９時～１０時の間に暖房の取り合いが起きています。",
            "今日の問題は中級向けですが、ヒント②に気づけばすぐです。",
            "ご感想をお待ちしています。",
        ],
    )


def digest():
    """Four mails saved one after the other into one file, as a mailer's mbox export."""
    mails = []

    mails.append(headers(124, "Sun, 16 Jan 2005 06:00:00 +0900") + issue(
        124, "日曜版・小さな問題", "２００５年１月１６日（日）",
        grid(FULL_UPPER[:5], FULL_LOWER[:5], {2: "難易度：初級"}, seed=124),
        ["ヒント：ｃ行から考えると早いです。"],
        ["日曜日は５×５の小さな問題です。", "お子さんと一緒にどうぞ。"],
    ))

    # No hints: the grid is followed by two empty lines. No grid note either.
    mails.append(headers(125, "Mon, 17 Jan 2005 06:00:00 +0900") + issue(
        125, "ヒントなしの回", "２００５年１月１７日（月）",
        grid(FULL_UPPER[:8], "12345678".translate(str.maketrans("12345678", "１２３４５６７８")), {}, seed=125),
        [],
        [
            "今日はヒントなしでお届けします。",
            "８×８ですので、落ち着いて端から埋めていけば解けます。",
            "解けた方は編集部までお知らせください。",
        ],
    ))

    # 13 x 13, a note split over two rows, and a comment long enough to be cut on paper.
    long_comment = [
        "今回は読者の皆さんから寄せられたお便りを紹介します。",
        "",
        "＜東京都・Ｋさん＞",
        "毎朝の通勤電車で解いています。",
        "１３×１３になると、さすがに一駅では終わりません。",
        "＜大阪府・Ｍさん＞",
        "第１２０回の問題、三日かかりました～。",
        "でも解けたときの気持ちよさは格別です。",
        "＜北海道・Ｔさん＞",
        "印刷して家族で競争しています。",
        "孫に負けるのが悔しいです。",
        "＜福岡県・Ｙさん＞",
        "ヒントの①と②が同じことを言っている回がありました。",
        "（編集部より：ご指摘ありがとうございます。気をつけます）",
        "＜愛知県・Ｓさん＞",
        "大きな問題をもっと増やしてください！",
        "",
        "たくさんのお便り、ありがとうございました。",
        "お便りは rotam@example.com まで。",
        "掲載させていただいた方には、記念品をお送りします。",
        "次回の読者投稿特集は２月の予定です。",
        "問題の感想だけでなく、日々のできごとなどもどうぞ。",
        "お名前は伏せて掲載いたします。",
        "それでは、また明日。",
        "",
    ]
    mails.append(headers(126, "Tue, 18 Jan 2005 06:00:00 +0900") + issue(
        126, "特大問題", "２００５年１月１８日（火）",
        grid(FULL_UPPER[:13], CIRCLED[:13], {0: "難易度：上級", 1: "（目安３０分）"}, seed=126),
        [
            "ヒント１：外周から埋めていきましょう。",
            "ヒント２：⑦行が鍵になります。",
            "ヒント３：Ｇ列は最後に決まります。",
        ],
        long_comment,
    ))

    # A mail without the publisher line in its footer.
    mails.append(headers(127, "Wed, 19 Jan 2005 06:00:00 +0900") + issue(
        127, "今日の問題", "２００５年１月１９日（水）",
        grid(FULL_UPPER[:10], FULL_LOWER[:10], {9: "難易度：中級"}, seed=127),
        [
            "ヒント１：ｊ行から解き始めます。",
            "ヒント２：途中で一度だけ仮定が要ります。",
        ],
        ["今日から発行責任者の表記を一時的に省略しています。", "来週には元に戻ります。"],
        publisher=False,
    ))

    lines = []
    for i, mail in enumerate(mails):
        if i:
            lines.append("")
        lines.append(f"From rotam@example.com {mail_date_for_mbox(i)}")
        lines += mail
    return lines


def mail_date_for_mbox(i):
    return f"{['Sun', 'Mon', 'Tue', 'Wed'][i]} Jan {16 + i} 06:00:00 2005"


def forwarded():
    """A friend's forward: the outer Date header and the quoted original's Date line both
    match, so the issue keeps the later (the original's) sending time."""
    outer = [
        "From: 佐藤一郎 <ichiro@example.net>",
        "To: reader@example.net",
        "Subject: Fw: 今日のロタム　第１３０回",
        "Date: Sun, 23 Jan 2005 21:15:42 +0900",
        "",
        "これ、面白かったので転送します。６×６なのに意外と手ごわいです。",
        "",
        "----- Original Message -----",
        "From: 今日のロタム <rotam@example.com>",
        "To: ichiro@example.net",
        "Sent: Saturday, January 22, 2005 6:00 AM",
        "Subject: 今日のロタム　第１３０回",
        "DATE: Sat, 22 Jan 2005 06:00:00 +0900",
        "",
    ]
    return outer + issue(
        130, "土曜版", "２００５年１月２２日（土）",
        grid(FULL_UPPER[:6], "ＵＶＷＸＹＺ", {3: "難易度：中級"}, seed=130),
        ["ヒント：Ｙ行とＺ行から考えます。", "ヒント：答えは一通りに決まります。"],
        ["６×６でも侮れない一問です。", "週末にゆっくりどうぞ。"],
        ad=["【ＰＲ】ロタム問題集　第２巻　１，２６０円（税込）", "　ご注文は http://shop.example.org/ から"],
    )


def windows_jis(text):
    """ISO-2022-JP as a Windows mailer writes it (CP50221): every character that CP932 has,
    NEC row 13 and the IBM rows included, by the arithmetic from its Shift_JIS bytes.
    Python's own iso2022_jp codec refuses those characters."""
    out, mode = b"", b"\x1b(B"
    for ch in text:
        if ord(ch) < 0x80:
            want, data = b"\x1b(B", ch.encode("ascii")
        elif "\uff61" <= ch <= "\uff9f":
            want, data = b"\x1b(I", bytes([ch.encode("cp932")[0] - 0x80])
        else:
            s1, s2 = ch.encode("cp932")
            s1 -= 0x40 if s1 >= 0xE0 else 0
            j1 = (s1 - 0x81) * 2 + 0x21
            if s2 >= 0x9F:
                j1, j2 = j1 + 1, s2 - 0x7E
            else:
                j2 = s2 - 0x1F - (1 if s2 >= 0x80 else 0)
            want, data = b"\x1b$B", bytes([j1, j2])
        if want != mode:
            out, mode = out + want, want
        out += data
    return out + (b"\x1b(B" if mode != b"\x1b(B" else b"")


def text_part(body, charset, encoding):
    if charset != "iso-2022-jp":
        return MIMEText(body, "plain", charset)
    part = MIMENonMultipart("text", "plain", charset="ISO-2022-JP")
    lines = [windows_jis(line) for line in body.split("\n")]
    if encoding == "base64":
        part.set_payload(base64.encodebytes(b"\r\n".join(lines)).decode("ascii"))
    else:
        part.set_payload(b"\n".join(lines).decode("ascii"))
    part["Content-Transfer-Encoding"] = encoding
    return part


def mime_mail(number, date, body_lines, charset="iso-2022-jp", html=False, subject=None,
              encoding="7bit"):
    """A message as a mail program receives it; with html, multipart/alternative."""
    text = text_part("\n".join(body_lines) + "\n", charset, encoding)
    if html:
        mail = MIMEMultipart("alternative", boundary=f"rotam-{number:05d}-alternative")
        mail.attach(text)
        mail.attach(MIMEText("<p>HTML版は準備中です。</p>\n", "html", "utf-8"))
    else:
        mail = text
    mail["From"] = "rotam@example.com"
    mail["To"] = "reader@example.net"
    mail["Subject"] = Header(subject or f"今日のロタム　第{fullwidth(number)}回", "iso-2022-jp").encode()
    mail["Date"] = date
    mail["Message-ID"] = f"<rotam.{number:05d}@mail.example.com>"
    return mail


def mail_date(day):
    return format_datetime(datetime(2005, 1, 1, 6, tzinfo=timezone(timedelta(hours=9))) + timedelta(days=day - 1))


def issue_131():
    return issue(
        131, "日曜版", "２００５年１月２３日（日）",
        grid(FULL_UPPER[:7], FULL_LOWER[:7], {6: "難易度：初級"}, seed=131),
        ["ヒント：ｇ行の■は二つです。"],
        ["今日から ISO-2022-JP のメールでお届けしています。", "①②③も、髙や﨑も、そのまま読めます。"],
    )


def eml():
    """A saved message, as webmail's "download message" writes it: multipart/alternative,
    the text part in ISO-2022-JP, CR LF line ends."""
    mail = mime_mail(131, mail_date(23), issue_131(), html=True, encoding="base64")
    return mail.as_bytes(policy=policy.SMTP)


def notice_lines():
    """A notice mail: comment and footer, but no puzzle."""
    return [
        "【お知らせ】",
        "",
        DIVIDER_A,
        "【編集部より】",
        "明日の号はお休みします。",
        DIVIDER_B,
        "発行責任者　：ロタム編集部　お知らせ係(notice@example.com)",
        "マガジンＩＤ：0009999999",
        DIVIDER_C,
    ]


def mbox():
    """A Thunderbird folder: LF line ends, a notice mail between two issues, the second
    issue in UTF-8 quoted-printable."""
    mails = [
        mime_mail(132, mail_date(24), issue(
            132, "月曜版", "２００５年１月２４日（月）",
            grid(FULL_UPPER[:6], FULL_LOWER[:6], {0: "難易度：中級"}, seed=132),
            ["ヒント：Ａ列から。"], ["寒い朝です。"])),
        mime_mail(9001, mail_date(25), notice_lines(), subject="今日のロタム　お知らせ"),
        mime_mail(134, mail_date(27), issue(
            134, "水曜版", "２００５年１月２６日（水）",
            grid(FULL_UPPER[:5], FULL_LOWER[:5], {}, seed=134),
            ["ヒント：ｅ行は全部□です。"], ["お休み明けの一問です。"]), charset="utf-8"),
    ]
    out = b""
    for mail in mails:
        out += b"From rotam@example.com Mon Jan 24 06:00:00 2005\n"
        out += mail.as_bytes(policy=policy.default.clone(linesep="\n")) + b"\n"
    return out


def maildir():
    """A Maildir: two messages in cur/, one in new/, named without the ':' flags so that a
    checkout works on Windows too. Read in the order of their names."""
    return {
        "cur/1106514000.M1P100.example": mime_mail(135, mail_date(28), issue(
            135, "木曜版", "２００５年１月２７日（木）",
            grid(FULL_UPPER[:4], FULL_LOWER[:4], {1: "難易度：易"}, seed=135),
            ["ヒント：ｂ行から。"], ["小さな問題です。"])),
        "new/1106600400.M2P100.example": mime_mail(136, mail_date(29), issue(
            136, "金曜版", "２００５年１月２８日（金）",
            grid(FULL_UPPER[:4], FULL_LOWER[:4], {}, seed=136),
            [], ["ヒントはありません。"])),
        "cur/1106686800.M3P100.example": mime_mail(9002, mail_date(30), ["今週もありがとうございました。"],
                                                   subject="今日のロタム　ごあいさつ"),
    }


FILES = {
    "rotam-0123.txt": single_issue,
    "rotam-digest-0124-0127.txt": digest,
    "rotam-0130-forwarded.txt": forwarded,
}


def main():
    outdir = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "examples"
    outdir.mkdir(parents=True, exist_ok=True)
    for name, build in FILES.items():
        text = "\r\n".join(build()) + "\r\n"
        (outdir / name).write_bytes(text.encode("cp932"))
    (outdir / "rotam-0131.eml").write_bytes(eml())
    (outdir / "rotam-0132-0134.mbox").write_bytes(mbox())
    for name, mail in maildir().items():
        path = outdir / "rotam-maildir" / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(mail.as_bytes(policy=policy.default.clone(linesep="\n")))


if __name__ == "__main__":
    main()
