#include "DocumentScripts.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <charconv>
#include <cmath>

namespace document_scripts {

namespace {

QString Guarded(const QString& body) {
    return QStringLiteral("(function () {\n  try {\n%1\n  } catch (e) {\n"
                          "    return {error: 'script', detail: String(e)};\n  }\n})()")
        .arg(body);
}

// Finds the form by name or id among the document's forms, then the field: the form's first
// control of that name or id, or else its first element of that name or id.
QString WithField(const QString& form, const QString& field, const QString& action) {
    return Guarded(
        QStringLiteral(
            "    var formName = %1, fieldName = %2;\n"
            "    var form = document.forms ? document.forms.namedItem(formName) : null;\n"
            "    if (!form) { return {error: 'form'}; }\n"
            "    var el = form.elements.namedItem(fieldName);\n"
            "    if (el && !(el instanceof Element)) { el = el[0]; }\n"
            "    if (!el) {\n"
            "      var all = form.getElementsByTagName('*');\n"
            "      for (var i = 0; i < all.length; ++i) {\n"
            "        if (all[i].getAttribute('name') === fieldName ||"
            " all[i].id === fieldName) {\n"
            "          el = all[i];\n"
            "          break;\n"
            "        }\n"
            "      }\n"
            "    }\n"
            "    if (!el) { return {error: 'field'}; }\n"
            "%3")
            .arg(StringLiteral(form), StringLiteral(field), action));
}

} // namespace

QString StringLiteral(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    // "[" literal "]"
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString NumberLiteral(double value) {
    if (std::isnan(value)) {
        return QStringLiteral("NaN");
    }
    if (std::isinf(value)) {
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

QString BodyInnerHtml() {
    return Guarded(QStringLiteral("    if (!document.body) { return {error: 'body'}; }\n"
                                  "    return {value: document.body.innerHTML};"));
}

QString ReadValue(const QString& form, const QString& field) {
    return WithField(form, field,
                     QStringLiteral("    if (!('value' in el)) { return {error: 'value'}; }\n"
                                    "    return {value: String(el.value)};"));
}

QString WriteValue(const QString& form, const QString& field, const QString& literal) {
    return WithField(form, field,
                     QStringLiteral("    if (!('value' in el)) { return {error: 'value'}; }\n"
                                    "    el.value = %1;\n"
                                    "    return {value: ''};")
                         .arg(literal));
}

QString WriteChecked(const QString& form, const QString& field, bool checked) {
    return WithField(form, field,
                     QStringLiteral("    if (!('checked' in el)) { return {error: 'checked'}; }\n"
                                    "    el.checked = %1;\n"
                                    "    return {value: ''};")
                         .arg(checked ? QStringLiteral("true") : QStringLiteral("false")));
}

} // namespace document_scripts
