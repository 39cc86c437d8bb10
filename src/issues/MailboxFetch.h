#pragma once

#include "MailboxAccount.h"
#include "MailboxError.h"

#include <QString>

#include <functional>

class IssueLibrary;
struct MailboxOptions;

// Told on the fetching thread: mails read so far and mails new in the folder (m of "n / m 通").
// Returning false cancels; what was fetched stays in the library.
using MailboxProgress = std::function<bool(int done, int total)>;

struct MailboxFetchReport
{
    MailboxError error; // Kind::None when the fetch ended whole
    int mailsRead = 0;  // new mails read, whether or not they held an issue
    int issuesAdded = 0;
};

// Fetches the folder's mail above the position the library keeps for this account and folder
// (everything when the UIDVALIDITY changed), reads each mail as a saved message is read,
// and adds its titled issues to the library with the mailbox as their source, keeping the
// new position with them in the same transaction, so a cancel or a lost connection keeps
// what was fetched and the next fetch goes on from there. Runs on the library's thread.
// Throws LibraryError when the library fails, keeping what was added before.
MailboxFetchReport fetchIntoLibrary(IssueLibrary &library, const MailboxAccount &account,
                                    const QString &password, const MailboxOptions &options,
                                    const MailboxProgress &progress = {});

// The source the library names for the account's issues: imap://user@host:port/folder, as in
// RFC 5092.
QString mailboxSource(const MailboxAccount &account);
