#include "FontSubstitutes.h"

#include <QFont>
#include <QStringList>

void registerFontSubstitutes()
{
    struct Substitute
    {
        const char16_t *windowsFace;
        const char16_t *freeFace;
    };
    static constexpr Substitute substitutes[] = {
        {u"ＭＳ Ｐゴシック", u"IPAPGothic"}, {u"ＭＳ ゴシック", u"IPAGothic"},
        {u"ＭＳ Ｐ明朝", u"IPAPMincho"},     {u"ＭＳ 明朝", u"IPAMincho"},
        {u"Arial", u"Liberation Sans"},
    };
    static const bool registered = [] {
        for (const Substitute &s : substitutes) {
            const QString face = QString::fromUtf16(s.windowsFace);
            const QString freeFace = QString::fromUtf16(s.freeFace);
            if (!QFont::substitutes(face).contains(freeFace))
                QFont::insertSubstitution(face, freeFace);
        }
        return true;
    }();
    (void)registered;
}
