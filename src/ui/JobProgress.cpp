#include "JobProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

using namespace Qt::StringLiterals;

namespace {

class ProgressDialogJob final : public JobProgress
{
public:
    ProgressDialogJob(QWidget *owner, const ProgressRequest &request)
        : m_dialog(owner), m_label(request.label), m_waiting(request.waitingLabel)
    {
        m_dialog.setWindowTitle(request.title);
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        if (request.cancellable)
            m_dialog.setCancelButtonText(u"キャンセル"_s);
        else
            m_dialog.setCancelButton(nullptr);
        m_dialog.setMinimumDuration(request.showAfterMs);
        m_dialog.setValue(0); // the time to showing starts now
    }

    bool advance(int done, int total) override
    {
        // Cancelling hides the window; a cancel just before the last step still counts.
        if (m_dialog.wasCanceled())
            return false;
        // A job that ends before its window showed ends without it.
        if (total > 0 && done >= total && !m_dialog.isVisible())
            return true;
        m_dialog.setMaximum(total);
        m_dialog.setLabelText(total == 0 && !m_waiting.isEmpty() ? m_waiting
                                                                 : m_label.arg(done).arg(total));
        m_dialog.setValue(done);
        // Until the window shows, nothing may reach the main window but its repaints.
        QCoreApplication::processEvents(m_dialog.isVisible() ? QEventLoop::AllEvents
                                                             : QEventLoop::ExcludeUserInputEvents);
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
    QString m_label;
    QString m_waiting;
};

} // namespace

std::unique_ptr<JobProgress> ProgressWindows::start(QWidget *owner, const ProgressRequest &request)
{
    return std::make_unique<ProgressDialogJob>(owner, request);
}
