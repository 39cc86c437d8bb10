#pragma once

#include <QString>

#include <functional>

class QWidget;

// The program's few messages to the user go through here, so that tests can take them
// instead of a window popping up.
namespace MessageBox {

enum class Kind
{
    Warning,
    Critical
};

struct Message
{
    Kind kind = Kind::Warning;
    QString title;
    QString text;
};

void show(QWidget *parent, Kind kind, const QString &title, const QString &text);

// While a catcher is set, Show hands each message to it and shows nothing.
void setCatcher(std::function<void(const Message &)> catcher);

} // namespace MessageBox
