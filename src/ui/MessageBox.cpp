#include "MessageBox.h"

#include <QMessageBox>

namespace {
std::function<void(const MessageBox::Message &)> &Catcher()
{
    static std::function<void(const MessageBox::Message &)> catcher;
    return catcher;
}
} // namespace

namespace MessageBox {

void Show(QWidget *parent, Kind kind, const QString &title, const QString &text)
{
    if (Catcher()) {
        Catcher()({kind, title, text});
        return;
    }
    if (kind == Kind::Critical)
        QMessageBox::critical(parent, title, text);
    else
        QMessageBox::warning(parent, title, text);
}

void SetCatcher(std::function<void(const Message &)> catcher)
{
    Catcher() = std::move(catcher);
}

} // namespace MessageBox
