#include "platform/qt/UiFont.h"

#include <QFontDatabase>
#include <QHash>

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <memory>

namespace {

QString FontconfigMatch(const QString& family, const QString& language) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) {
        return {};
    }
    const QByteArray familyUtf8 = family.toUtf8();
    const QByteArray languageUtf8 = language.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(familyUtf8.constData()));
    if (!language.isEmpty()) {
        FcPatternAddString(pattern, FC_LANG,
                           reinterpret_cast<const FcChar8*>(languageUtf8.constData()));
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    QString found;
    if (match) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch && name) {
            found = QString::fromUtf8(reinterpret_cast<const char*>(name));
        }
        FcPatternDestroy(match);
    }
    return found;
}

// Families drawn to the same metrics as a Windows family, preferred to fontconfig's choice: a
// proportional family keeps its narrow kana and punctuation, so texts take the width that the
// windows were laid out for.
QString MetricStandIn(const QString& family) {
    static const QHash<QString, QString> standIns = {
        {QString::fromUtf8("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")},
        {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")},
    };
    const QString standIn = standIns.value(family);
    return !standIn.isEmpty() && QFontDatabase::hasFamily(standIn) ? standIn : QString();
}

} // namespace

QString ResolveFontFamily(const QString& family, const QString& language) {
    static QHash<QString, QString> cache;
    const QString key = family + QLatin1Char('\n') + language;
    if (auto it = cache.constFind(key); it != cache.constEnd()) {
        return *it;
    }
    QString resolved = family;
    if (!QFontDatabase::hasFamily(family)) {
        const QString standIn = MetricStandIn(family);
        const QString match = standIn.isEmpty() ? FontconfigMatch(family, language) : standIn;
        if (!match.isEmpty()) {
            resolved = match;
        }
    }
    cache.insert(key, resolved);
    return resolved;
}

QFont UiFont(const QString& family, int height, const QString& language) {
    const QString resolved = ResolveFontFamily(family, language);
    QFont font(resolved);
    // Keep the requested family first so that an installed copy of it wins; the stand-in
    // follows for the case where it is missing.
    font.setFamilies(resolved == family ? QStringList{family} : QStringList{family, resolved});
    font.setPixelSize(std::abs(height) > 0 ? std::abs(height) : 12);
    return font;
}
