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
inline constexpr QStringView DividerD = u"□■□□■□■□■□■□□□□□□□■□□■□□□□■□□";
inline constexpr QStringView DividerE = u"□■□□□□□■□□■□□■□□□■□□□■□□□□■□□■";
inline constexpr QStringView PublisherPrefix = u"発行責任者　：";
inline constexpr QChar PublisherEnd = u'(';
inline constexpr QStringView MagazineIdPrefix = u"マガジンＩＤ：";

} // namespace MailMarkers
