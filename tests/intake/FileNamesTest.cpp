#include "TextIntake.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

QString nul()
{
    return QString(QChar(u'\0'));
}

QString sep()
{
    return QString(QDir::separator());
}

} // namespace

TEST(FileNames, OneFileIsItsFullPath)
{
    EXPECT_EQ(BuildFileNames(QStringLiteral("/mail/a.txt")),
              (QStringList{QString(), QStringLiteral("/mail/a.txt")}));
}

TEST(FileNames, SeveralFilesGetTheFolderWithASeparator)
{
    const QString folder = QStringLiteral("/mail");
    const QStringList expected{folder + sep(), QStringLiteral("a.txt"), QStringLiteral("b.txt"),
                               QStringLiteral("c.txt")};
    const QString names = QStringLiteral("a.txt") + nul() + QStringLiteral("b.txt") + nul() +
                          QStringLiteral("c.txt");
    EXPECT_EQ(BuildFileNames(folder + nul() + names), expected);
    EXPECT_EQ(BuildFileNames(folder + nul() + names + nul()), expected) << "trailing NUL";
}

TEST(FileNames, TheSeparatorIsAddedWhateverTheFolderEndsWith)
{
    const QString root = sep();
    EXPECT_EQ(BuildFileNames(root + nul() + QStringLiteral("a.txt") + nul() + QStringLiteral("b.txt")),
              (QStringList{root + sep(), QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
}
