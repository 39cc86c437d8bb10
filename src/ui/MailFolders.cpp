#include "MailFolders.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

QStringList mailFolders(const QString &home)
{
    const QDir dir(home);
    QStringList candidates;
    for (const QString &thunderbird : {u".thunderbird"_s, u"snap/thunderbird/common/.thunderbird"_s,
                                       u".var/app/org.mozilla.Thunderbird/.thunderbird"_s}) {
        const QDir profiles(dir.filePath(thunderbird));
        for (const QString &profile :
             profiles.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)) {
            candidates << profiles.filePath(profile + u"/Mail"_s)
                       << profiles.filePath(profile + u"/ImapMail"_s);
        }
    }
    candidates << dir.filePath(u"Maildir"_s) << dir.filePath(u"mail"_s)
               << dir.filePath(u".local/share/evolution/mail/local"_s);
    QStringList found;
    for (const QString &folder : std::as_const(candidates)) {
        if (QFileInfo(folder).isDir())
            found << folder;
    }
    return found;
}
