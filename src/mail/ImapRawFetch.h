#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace vmime::net::imap {
class IMAPConnection;
}

// What is known of a message before fetching it: its size and where the text the reader
// takes sits in its structure.
struct MessageOutline
{
    quint32 uid = 0;
    quint64 size = 0;
    // The IMAP section of the first text/plain part that is not an attachment, depth first,
    // attached messages included ("2", "2.1", ...); empty without one, or when the message
    // is that part itself.
    QByteArray textSection;
    // Where that part's Content-* fields are: "<section>.MIME", or "<p>.HEADER" when the
    // part is the whole body of an attached message p.
    QByteArray textHeaderSection;
    bool hasText = false;
};

// The commands vmime has no call for, sent through the store's own connection: the
// structure with attached messages' parts (vmime's hides them) and one part of a multipart
// by section (vmime refuses those). The folder is examined here too, since vmime would open
// it on a connection of its own. Throws vmime's exceptions like vmime itself.
class ImapRawFetch
{
public:
    explicit ImapRawFetch(std::shared_ptr<vmime::net::imap::IMAPConnection> connection);

    // Opens the folder read-only (EXAMINE) and returns its UIDVALIDITY; "/" separates levels.
    quint32 examine(const QString &folder);
    // Messages with a UID above `lastUid`, oldest first. The server answers "n:*" with the
    // last message even when it is older than n, so those are dropped.
    std::vector<MessageOutline> outlinesAbove(quint32 lastUid);
    // The UIDs above `lastUid` of messages whose From holds `sender`.
    std::vector<quint32> fromSenderAbove(quint32 lastUid, const QString &sender);
    // One section's bytes, fetched with PEEK so that no flag changes: "" is the whole message.
    QByteArray section(quint32 uid, const QByteArray &section);

private:
    std::shared_ptr<vmime::net::imap::IMAPConnection> m_connection;
};
