#pragma once

#include <QString>

// Scripts of the document accesses. Each evaluates to an object: {value: text} on success,
// {error: kind} when what it names is missing ("body", "form", "field", "value", "checked"),
// {error: "script", detail: text} when the page raised an error.
namespace document_scripts {

// A JavaScript string literal of the text.
QString StringLiteral(const QString& text);
// A JavaScript number literal that reads back as exactly this double.
QString NumberLiteral(double value);

QString BodyInnerHtml();
QString ReadValue(const QString& form, const QString& field);
// `literal` is a JavaScript expression (a string or number literal).
QString WriteValue(const QString& form, const QString& field, const QString& literal);
QString WriteChecked(const QString& form, const QString& field, bool checked);

} // namespace document_scripts
