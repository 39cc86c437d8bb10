#pragma once

#include <QByteArray>

// A message made of one part of another, for the reader: the outer header without its MIME
// fields (so that its Date and subject stay), the part's Content-* fields, then its body.
QByteArray partMessage(const QByteArray &header, const QByteArray &partHeader,
                       const QByteArray &body);
