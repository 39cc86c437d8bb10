#pragma once

#include <QStringView>

// The fixed strings by which the parser recognises the parts of an issue.
namespace MailMarkers {

inline constexpr QStringView DatePrefix = u"date: ";
inline constexpr QChar TitleMark = u'◇';
inline constexpr QChar GridBlank = u'　';
inline constexpr QStringView DividerA = u"□□□■□□■□□□□■□□□□□■□□□□□□□■□□□■";
inline constexpr QStringView DividerB = u"■□□□□■□□□□■□□□□■□□□□□■□□□□□■□□";
inline constexpr QStringView DividerC = u"□□□□□□■□□□□■□■□■□□■□□□■□□□□□■□";
inline constexpr QStringView DividerD = u"□■□□■□■□■□■□□□□□□□■□□■□□□□□■□□";
inline constexpr QStringView DividerE = u"□■□□□□□■□□■□□■□□□■□□□■□□□□■□□■";
inline constexpr QStringView PublisherPrefix = u"発行責任者　：";
inline constexpr QChar PublisherEnd = u'(';
inline constexpr QStringView MagazineIdPrefix = u"マガジンＩＤ：";

} // namespace MailMarkers

namespace MailMarkers {
static_assert(DividerA.size() == 30 && DividerB.size() == 30 && DividerC.size() == 30 &&
                  DividerD.size() == 30 && DividerE.size() == 30,
              "every divider line is 30 characters of □ and ■");
} // namespace MailMarkers
