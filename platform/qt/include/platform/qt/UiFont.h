#pragma once

#include <QFont>
#include <QString>

// Fonts named as the class library names them: a family and a height in pixels (the class
// library writes it negative, meaning the character height; either sign gives that height here).
// A family that is not installed is replaced by an installed family made to its metrics where
// one is known, else by the font that fontconfig chooses for it in the given language, so that
// a Japanese family falls back to an installed Japanese font rather than to a Latin one.
QFont UiFont(const QString& family, int height, const QString& language = QStringLiteral("ja"));

// The installed family that stands in for `family`: the family itself when installed, else an
// installed family with its metrics, else fontconfig's best match for the family in the
// language; the family unchanged when fontconfig has no answer.
QString ResolveFontFamily(const QString& family, const QString& language = QStringLiteral("ja"));
