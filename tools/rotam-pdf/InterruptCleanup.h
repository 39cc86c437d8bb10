#pragma once

#include <QByteArray>

// Removes a file should INT or TERM end the program, then dies of the signal as it would have.
// One file at a time: a new one replaces the old, and an empty name stops the removal.
void removeOnInterrupt(const QByteArray &path);
