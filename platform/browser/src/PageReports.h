#pragma once

#include <QJsonArray>
#include <QString>

#include <optional>

// The script that every frame of every page runs as its document is created, in a world of its
// own that the page's scripts cannot see. It reports to the browser through console messages
// that start with the session's token:
// - the document's creation (address, and whether it is the main frame's);
// - a click on a link to a "javascript:" address or to a place in the same document, which the
//   engine would not offer as a navigation: the click is held, and the link goes on when the
//   browser answers through ResumeLinkScript.
namespace page_reports {

// Name under which the script is installed; its console messages carry "userscript:" + name as
// their source.
extern const char* const kScriptName;

QString ScriptSource(const QString& token);

struct Report {
    enum class Kind { Document, Link } kind = Kind::Document;
    QString url;
    bool mainFrame = false;
    // Link only: where the click was held.
    int id = 0;
    QJsonArray framePath;
};

// The report carried by a console message, or nothing for the page's own messages.
std::optional<Report> Parse(const QString& token, const QString& message, const QString& source);

// Script for the main frame's world of the reports that lets a held link go on or drops it.
QString ResumeLinkScript(const QString& token, const QJsonArray& framePath, int id, bool go);

} // namespace page_reports
