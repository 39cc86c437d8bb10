#include "PrintOptions.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

// In the order of the enumerations.
const std::array<QString, 3> PlacementNames{u"top-left"_s, u"center-left"_s, u"center"_s};
const std::array<QString, 3> LayoutNames{u"single"_s, u"two"_s, u"large"_s};

template <typename Enum>
std::optional<Enum> fromName(const std::array<QString, 3> &names, const QString &name)
{
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name)
            return Enum(i);
    }
    return std::nullopt;
}

} // namespace

QString placementName(PagePlacement placement)
{
    return PlacementNames.at(size_t(placement));
}

std::optional<PagePlacement> placementFromName(const QString &name)
{
    return fromName<PagePlacement>(PlacementNames, name);
}

QString layoutName(PageLayout layout)
{
    return LayoutNames.at(size_t(layout));
}

std::optional<PageLayout> layoutFromName(const QString &name)
{
    return fromName<PageLayout>(LayoutNames, name);
}
