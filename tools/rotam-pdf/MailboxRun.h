#pragma once

#include "MailboxAccount.h"

#include <QString>
#include <QStringList>

#include <optional>

class IssueLibrary;
class IssueStore;
class QTextStream;

// What rotam-pdf's --imap, --password-command and --ca-file ask for.
struct MailboxRunOptions
{
    MailboxAccount account;
    QString passwordCommand; // run by /bin/sh -c; empty: the keyring
    QStringList caFiles;     // trusted besides the system's CAs
};

// The password: the first line the command prints, or the keyring's entry for the account,
// the one the window keeps. Tells err why there is none.
std::optional<QString> mailboxPassword(const MailboxRunOptions &options, QTextStream &err);

// Reads the whole folder into the store. Tells err what failed.
bool fetchMailbox(const MailboxRunOptions &options, IssueStore &store, QTextStream &err);
// Reads the folder's new mail into the library. Tells err what failed; the mail fetched
// before a failure stays in the library. Throws LibraryError.
bool fetchMailbox(const MailboxRunOptions &options, IssueLibrary &library, QTextStream &err);
