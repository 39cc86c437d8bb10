#include "LoadMessage.h"

using namespace Qt::StringLiterals;

namespace {

bool everyChosenPathFailed(const QStringList &chosen, const QList<ReadFailure> &failures)
{
    for (const QString &path : chosen) {
        const bool failed = std::any_of(failures.begin(), failures.end(),
                                        [&](const ReadFailure &f) { return f.path == path; });
        if (!failed)
            return false;
    }
    return true;
}

} // namespace

LoadMessage composeLoadMessage(const QStringList &chosen, const LoadReport &report)
{
    LoadMessage message;
    QStringList sections;
    if (!report.unreadable.isEmpty()) {
        message.title = u"読み込めなかったファイル"_s;
        QString section =
            everyChosenPathFailed(chosen, report.unreadable)
                ? u"次のファイルは読み込めませんでした。\n"_s
                : u"次のファイルは読み込めませんでした。ほかのファイルは読み込みました。\n"_s;
        for (const ReadFailure &failure : report.unreadable)
            section += u"\n"_s + failure.path + u"\n    "_s + failure.reason;
        sections.append(section);
    }
    if (!report.withoutIssue.isEmpty()) {
        if (message.title.isEmpty())
            message.title = u"問題が見つかりません"_s;
        QString section = u"次の中には問題が見つかりませんでした。\n"_s;
        for (const QString &path : report.withoutIssue)
            section += u"\n"_s + (path.isEmpty() ? u"貼り付けたテキスト"_s : path);
        sections.append(section);
    }
    message.text = sections.join(u"\n\n"_s);
    return message;
}
