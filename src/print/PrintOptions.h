#pragma once

#include <QString>

#include <optional>

// The position options of the main window.
enum class PagePlacement
{
    TopLeft,    // 左上隅
    CentreLeft, // 中央左寄せ
    Centre      // 中央
};

// How many issues a sheet holds and how large they are drawn.
enum class PageLayout
{
    Single, // one issue a sheet, as placed by the position option
    Two,    // two issues side by side, each placed in its half
    Large   // one issue enlarged to the printable area, centred
};

// What the user chose for a print job. A placement alone is the plain page, so that a
// caller that only knows the position option needs no more.
struct PrintOptions
{
    constexpr PrintOptions(PagePlacement placement = PagePlacement::TopLeft,
                           PageLayout layout = PageLayout::Single, bool cells = false)
        : placement(placement), layout(layout), cells(cells)
    {
    }

    PagePlacement placement;
    PageLayout layout;
    bool cells; // the mail's own cells (black squares, given characters) instead of empty ones

    bool operator==(const PrintOptions &) const = default;
};

// The names the options go by on rotam-pdf's command line and in the settings file.
QString placementName(PagePlacement placement);
std::optional<PagePlacement> placementFromName(const QString &name);
QString layoutName(PageLayout layout);
std::optional<PageLayout> layoutFromName(const QString &name);
