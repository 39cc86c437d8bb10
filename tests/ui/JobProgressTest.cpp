#include "JobProgress.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The real progress window of a five-step job over a shown owner, already on screen after
// the first step.
struct ShownJob
{
    static constexpr int Total = 5;
    QWidget owner;
    std::unique_ptr<JobProgress> job;
    QProgressDialog *dialog = nullptr;
    bool shown = false;

    ShownJob()
    {
        owner.show();
        job = ProgressWindows().start(&owner, {u"印刷中"_s, u"頁 %1 / %2"_s, 0, true});
        dialog = owner.findChild<QProgressDialog *>();
        if (dialog)
            shown =
                QTest::qWaitFor([this] { return job->advance(1, Total) && dialog->isVisible(); });
    }
};

} // namespace

TEST(JobProgress, TheLastStepStaysShownUntilTheJobCloses)
{
    ShownJob shown;
    ASSERT_TRUE(shown.shown);
    for (int done = 2; done <= ShownJob::Total; ++done)
        EXPECT_TRUE(shown.job->advance(done, ShownJob::Total));
    EXPECT_TRUE(shown.dialog->isVisible());
    EXPECT_EQ(shown.dialog->value(), shown.dialog->maximum());
    EXPECT_EQ(shown.dialog->maximum(), ShownJob::Total);
    EXPECT_EQ(shown.dialog->labelText(), u"頁 5 / 5"_s);
}

TEST(JobProgress, ACancelJustBeforeTheLastStepIsSeen)
{
    ShownJob shown;
    ASSERT_TRUE(shown.shown);
    for (int done = 2; done < ShownJob::Total; ++done)
        EXPECT_TRUE(shown.job->advance(done, ShownJob::Total));
    auto *cancel = shown.dialog->findChild<QPushButton *>();
    ASSERT_TRUE(cancel);
    EXPECT_EQ(cancel->text(), u"キャンセル"_s);
    cancel->click();
    EXPECT_FALSE(shown.job->advance(ShownJob::Total, ShownJob::Total));
}
