#include "TextIntake.h"

#include "LineArray.h"

LineArray splitPastedText(const QString &text)
{
    LineArray lines;
    const QStringView all(text);
    qsizetype start = 0;
    for (;;) {
        qsizetype p = all.indexOf(u"\r\n", start);
        if (p < 0)
            p = all.size();
        lines.append(all.mid(start, p - start));
        start = p + 2;
        if (p >= all.size() || start >= all.size())
            return lines;
    }
}
