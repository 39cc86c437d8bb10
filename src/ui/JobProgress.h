#pragma once

#include <QString>

#include <memory>

class QWidget;

// What a progress window shows for a long job.
struct ProgressRequest
{
    QString title;
    QString label;             // with %1 for the steps done and %2 for the total
    int showAfterMs = 0;       // a job done sooner shows no window at all
    bool cancellable = true;   // with a 「キャンセル」 button
    QString waitingLabel = {}; // while the total is not known yet (0), a busy bar and this
};

// One job's progress window, closed when the object goes.
class JobProgress
{
public:
    virtual ~JobProgress() = default;
    // After each step: shows the count and lets the windows repaint. False once the user has
    // asked to stop.
    virtual bool advance(int done, int total) = 0;
};

// Opens progress windows, behind a seam so that tests can follow a job and cancel it.
class ProgressWindows
{
public:
    virtual ~ProgressWindows() = default;
    virtual std::unique_ptr<JobProgress> start(QWidget *owner, const ProgressRequest &request);
};
