#include "MessageBox.h"

#include <QMessageBox>

namespace {
std::function<void(const MessageBox::Message &)> &catcher()
{
    static std::function<void(const MessageBox::Message &)> catcher;
    return catcher;
}
} // namespace

namespace MessageBox {

void show(QWidget *parent, Kind kind, const QString &title, const QString &text)
{
    if (catcher()) {
        catcher()({kind, title, text});
        return;
    }
    if (kind == Kind::Critical)
        QMessageBox::critical(parent, title, text);
    else
        QMessageBox::warning(parent, title, text);
}

void setCatcher(std::function<void(const Message &)> handler)
{
    catcher() = std::move(handler);
}

} // namespace MessageBox
