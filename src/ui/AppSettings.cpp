#include "AppSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QVariant>

using namespace Qt::StringLiterals;

AppSettings::AppSettings(std::shared_ptr<QSettings> store) : m_store(std::move(store)) {}

std::optional<QString> AppSettings::text(const QString &key) const
{
    if (!m_store)
        return std::nullopt;
    const QVariant value = m_store->value(key);
    // An INI file gives strings; a list, a number or an @Variant of another type is foreign.
    if (value.typeId() != QMetaType::QString || value.toString().isEmpty())
        return std::nullopt;
    return value.toString();
}

void AppSettings::write(const QString &key, const QVariant &value)
{
    if (m_store)
        m_store->setValue(key, value);
}

std::optional<QString> AppSettings::openFolder() const
{
    const std::optional<QString> folder = text(u"open/folder"_s);
    if (!folder || !QDir::isAbsolutePath(*folder) || !QFileInfo(*folder).isDir())
        return std::nullopt;
    return folder;
}

void AppSettings::setOpenFolder(const QString &folder)
{
    write(u"open/folder"_s, folder);
}

std::optional<PagePlacement> AppSettings::placement() const
{
    const std::optional<QString> name = text(u"print/position"_s);
    return name ? placementFromName(*name) : std::nullopt;
}

void AppSettings::setPlacement(PagePlacement placement)
{
    write(u"print/position"_s, placementName(placement));
}

std::optional<PageLayout> AppSettings::layout() const
{
    const std::optional<QString> name = text(u"print/layout"_s);
    return name ? layoutFromName(*name) : std::nullopt;
}

void AppSettings::setLayout(PageLayout layout)
{
    write(u"print/layout"_s, layoutName(layout));
}

std::optional<bool> AppSettings::cells() const
{
    const std::optional<QString> value = text(u"print/cells"_s);
    if (value == u"true"_s)
        return true;
    if (value == u"false"_s)
        return false;
    return std::nullopt;
}

void AppSettings::setCells(bool cells)
{
    write(u"print/cells"_s, cells ? u"true"_s : u"false"_s);
}

std::optional<QString> AppSettings::printerName() const
{
    return text(u"print/printer"_s);
}

void AppSettings::setPrinterName(const QString &name)
{
    write(u"print/printer"_s, name);
}

std::optional<QString> AppSettings::pdfFileName() const
{
    const std::optional<QString> path = text(u"print/pdfFile"_s);
    if (!path || !QDir::isAbsolutePath(*path))
        return std::nullopt;
    return path;
}

void AppSettings::setPdfFileName(const QString &path)
{
    write(u"print/pdfFile"_s, path);
}

std::optional<QSize> AppSettings::windowSize() const
{
    // "WIDTHxHEIGHT": a string like every other value, readable in the INI file.
    const std::optional<QString> value = text(u"window/size"_s);
    if (!value)
        return std::nullopt;
    const QStringList parts = value->split(u'x');
    bool wide = false, high = false;
    const QSize size(parts.value(0).toInt(&wide), parts.value(1).toInt(&high));
    if (parts.size() != 2 || !wide || !high || size.isEmpty())
        return std::nullopt;
    return size;
}

void AppSettings::setWindowSize(QSize size)
{
    write(u"window/size"_s, u"%1x%2"_s.arg(size.width()).arg(size.height()));
}
