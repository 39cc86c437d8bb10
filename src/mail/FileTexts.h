#pragma once

#include "MailFiles.h"
#include "MimeMessages.h"
#include "ReadFailure.h"

#include <variant>

// How the reading of a file's texts ended.
enum class FileEnd
{
    Read,
    Stopped // by the progress: the texts before were handed on
};

// Hands take the texts of a file. A Maildir entry is one message; any other file is sniffed
// by its first bytes: an mbox if it begins with "From ", streamed whatever its size; a saved
// message if it begins with MIME headers; otherwise one text. A message or a text is read
// whole, up to MaxTextFileBytes. progress is told how much of the file has been read.
std::variant<FileEnd, ReadFailure> readFileTexts(const MailFile &file, const TextSink &take,
                                                 const ReadProgress &progress = {});
