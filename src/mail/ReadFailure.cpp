#include "ReadFailure.h"

#include <cerrno>
#include <cstring>

ReadFailure makeReadFailure(const QString &path, ReadProblem problem, int systemError)
{
    return ReadFailure{path, problem, systemError, japaneseReason(problem, systemError)};
}

QString japaneseReason(ReadProblem problem, int systemError)
{
    switch (problem) {
    case ReadProblem::Missing:
        return QStringLiteral("ファイルが見つかりません");
    case ReadProblem::NotAFile:
        return QStringLiteral("通常のファイルではありません");
    case ReadProblem::TooLarge:
        return QStringLiteral("テキストファイルやメールとしては大きすぎます（1 GiB まで。mbox "
                              "には上限がありません）");
    case ReadProblem::SystemError:
        break;
    }
    switch (systemError) {
    case EACCES:
    case EPERM:
        return QStringLiteral("読み取りの権限がありません");
    case ENOENT:
        return QStringLiteral("ファイルが見つかりません");
    case EIO:
        return QStringLiteral("読み取り中に入出力エラーが起きました");
    case EISDIR:
        return QStringLiteral("フォルダーです");
    default:
        return QStringLiteral("読み込めませんでした（エラー番号 %1）").arg(systemError);
    }
}

QString englishReason(const ReadFailure &failure)
{
    switch (failure.problem) {
    case ReadProblem::Missing:
        return QStringLiteral("no such file or folder");
    case ReadProblem::NotAFile:
        return QStringLiteral("not a regular file");
    case ReadProblem::TooLarge:
        return QStringLiteral(
            "too large for a text file or a message (the limit is 1 GiB; an mbox has none)");
    case ReadProblem::SystemError:
        break;
    }
    return englishSystemError(failure.systemError);
}

QString englishSystemError(int errorNumber)
{
    // Not strerror: its text follows the user's language.
    if (const char *text = strerrordesc_np(errorNumber))
        return QString::fromUtf8(text);
    return QStringLiteral("error %1").arg(errorNumber);
}
