#include "widgets/Fonts.h"

#include <QFont>
#include <QStringList>

void InstallFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                               QStringList{QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
}
