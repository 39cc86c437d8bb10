#include "AppSettings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class AppSettingsFile : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(u"rotam-print.ini"_s);

    std::shared_ptr<QSettings> open() const
    {
        return std::make_shared<QSettings>(path, QSettings::IniFormat);
    }
    void writeRaw(const QByteArray &bytes) const
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

} // namespace

TEST_F(AppSettingsFile, EveryValueComesBackInALaterRun)
{
    for (const PagePlacement placement :
         {PagePlacement::TopLeft, PagePlacement::CentreLeft, PagePlacement::Centre}) {
        {
            AppSettings settings(open());
            settings.setOpenFolder(dir.path());
            settings.setPlacement(placement);
            settings.setLayout(PageLayout::Two);
            settings.setCells(placement == PagePlacement::Centre);
            settings.setPrinterName(u"Laser 2"_s);
            settings.setPdfFileName(dir.filePath(u"問題.pdf"_s));
        }
        const AppSettings later(open());
        EXPECT_EQ(later.openFolder(), dir.path());
        EXPECT_EQ(later.placement(), placement);
        EXPECT_EQ(later.layout(), PageLayout::Two);
        EXPECT_EQ(later.cells(), placement == PagePlacement::Centre);
        EXPECT_EQ(later.printerName(), u"Laser 2"_s);
        EXPECT_EQ(later.pdfFileName(), dir.filePath(u"問題.pdf"_s));
    }
}

TEST_F(AppSettingsFile, WrongValuesAreIgnoredOneByOne)
{
    struct Case
    {
        const char *file;
        bool (*absent)(const AppSettings &);
    };
    const Case cases[] = {
        {"[open]\nfolder=/no/such/folder\n", [](const AppSettings &s) { return !s.openFolder(); }},
        {"[print]\nposition=middle\n", [](const AppSettings &s) { return !s.placement(); }},
        {"[print]\nposition=@Rect(1 2 3 4)\n", [](const AppSettings &s) { return !s.placement(); }},
        {"[print]\nlayout=triple\n", [](const AppSettings &s) { return !s.layout(); }},
        {"[print]\ncells=yes\n", [](const AppSettings &s) { return !s.cells(); }},
        {"[print]\ncells=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x1)\n",
         [](const AppSettings &s) { return !s.cells(); }},
        {"[print]\nprinter=\n", [](const AppSettings &s) { return !s.printerName(); }},
        {"[print]\npdfFile=out.pdf\n", [](const AppSettings &s) { return !s.pdfFileName(); }},
    };
    for (const Case &c : cases) {
        writeRaw(c.file);
        EXPECT_TRUE(c.absent(AppSettings(open()))) << c.file;
    }
    // A good value survives broken neighbours.
    writeRaw("[print]\nlayout=@Rect(1 2 3 4)\ncells=2\nposition=center\npdfFile=x\n");
    EXPECT_EQ(AppSettings(open()).placement(), PagePlacement::Centre);
}

TEST_F(AppSettingsFile, GarbageOrAnUnreadableFileReadsAsNothingRemembered)
{
    const auto nothing = [](const AppSettings &s) {
        return !s.openFolder() && !s.placement() && !s.layout() && !s.cells() && !s.printerName() &&
               !s.pdfFileName();
    };
    writeRaw(QByteArray("\xff\xfe[\x00\x01=\n[[[print\nposition\n=\n\\\\\\", 29));
    EXPECT_TRUE(nothing(AppSettings(open())));

    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path)); // a folder where the file should be
    EXPECT_TRUE(nothing(AppSettings(open())));
    AppSettings(open()).setPrinterName(u"Laser"_s); // nowhere to write: no harm done
    EXPECT_TRUE(nothing(AppSettings(nullptr)));
}
