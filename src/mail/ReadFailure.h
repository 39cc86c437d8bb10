#pragma once

#include <QString>

// Why a file could not be read.
enum class ReadProblem
{
    Missing,    // no such file or folder
    NotAFile,   // a FIFO, a device or a socket: reading it could block or never end
    TooLarge,   // a text file or a message over MaxTextFileBytes
    SystemError // the system refused to open or read it; ReadFailure::systemError says why
};

// A chosen file, or a file in a chosen folder, that could not be read, and why.
struct ReadFailure
{
    QString path;
    ReadProblem problem = ReadProblem::SystemError;
    int systemError = 0; // the errno value, for ReadProblem::SystemError
    QString reason;      // in Japanese, as the desktop shows it
};

ReadFailure makeReadFailure(const QString &path, ReadProblem problem, int systemError = 0);

// The reason in each language the program speaks: the desktop's and the command line's.
QString japaneseReason(ReadProblem problem, int systemError);
QString englishReason(const ReadFailure &failure);
// The system's text for an errno value, untranslated.
QString englishSystemError(int errorNumber);
