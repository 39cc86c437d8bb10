#pragma once

#include "MailboxAccount.h"

#include <QString>

#include <variant>

// The account and folder an --imap URL names (RFC 5092): imaps://USER@HOST[:PORT]/FOLDER with
// implicit TLS, port 993 unless given, or imap:// with STARTTLS, port 143. The user and folder
// are percent-decoded; no folder is INBOX. Otherwise what is wrong with the URL.
std::variant<MailboxAccount, QString> accountFromUrl(const QString &url);
