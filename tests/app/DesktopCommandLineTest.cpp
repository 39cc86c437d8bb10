#include "DesktopCommandLine.h"

#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DesktopCommandLine, PathsHelpVersionAndUsageErrors)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(u"gone/rotam-0999.txt"_s);

    const struct
    {
        QStringList arguments;
        QStringList paths;
        std::optional<int> exitCode;
        QString outStart;
    } cases[] = {
        {{u"x.txt"_s, u"y.eml"_s}, {u"x.txt"_s, u"y.eml"_s}, {}, {}},
        {{dir.path()}, {dir.path()}, {}, {}}, // the loader reads folders and Maildirs
        {{missing, u"x.txt"_s}, {missing, u"x.txt"_s}, {}, {}},
        {{}, {}, {}, {}},
        {{u"--help"_s, u"x.txt"_s}, {}, 0, u"Usage: rotam-print [options] [FILE...]\n"_s},
        {{u"--version"_s}, {}, 0, u"rotam-print "_s},
        {{u"--bogus"_s, u"x.txt"_s}, {}, 2, {}},
    };
    for (const auto &c : cases) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const DesktopCommand command = parseDesktopCommandLine(
            QStringList{u"rotam-print"_s} + c.arguments, outStream, errStream);
        outStream.flush();
        errStream.flush();
        const std::string label = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(command.paths, c.paths) << label;
        EXPECT_EQ(command.exitCode, c.exitCode) << label;
        EXPECT_TRUE(out.startsWith(c.outStart)) << label << ": " << out.toStdString();
        EXPECT_EQ(err.isEmpty(), c.exitCode != 2) << label;
        if (c.arguments.contains(u"--help"_s)) {
            for (const char *kind : {"CP932", "UTF-8", "ISO-2022-JP", ".eml", "mbox", "Maildirs"})
                EXPECT_TRUE(out.contains(QLatin1StringView(kind))) << kind;
        }
    }
}
