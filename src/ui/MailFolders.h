#pragma once

#include <QStringList>

// The folders under home where mail programs keep their mail, those that exist: each
// Thunderbird profile's Mail and ImapMail (the snap's and the flatpak's too), ~/Maildir,
// ~/mail and Evolution's local folders.
QStringList mailFolders(const QString &home);
