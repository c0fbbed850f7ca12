#include "widgets/fonts.hpp"

#include <QFontDatabase>
#include <QStringList>

namespace orvikel::gui {

namespace {

QString FirstInstalled(const QStringList& candidates) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : candidates) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    return candidates.constFirst();
}

}  // namespace

QString FixedFamily() {
    static const QString family =
        FirstInstalled({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                        QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
    return family;
}

QString ProportionalFamily() {
    static const QString family =
        FirstInstalled({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                        QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    return family;
}

QFont FixedFont(int pixelSize) {
    QFont font(FixedFamily());
    font.setPixelSize(pixelSize);
    font.setStyleHint(QFont::TypeWriter);
    // Unhinted advances keep a double-byte character at exactly two half-width cells also at
    // odd pixel sizes, where hinting would round the half-width cell up.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

QFont ProportionalFont(int pixelSize) {
    QFont font(ProportionalFamily());
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace orvikel::gui
