#include "PageReports.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace page_reports {

const char* const kScriptName = "browser-reports";

namespace {

// @TOKEN@ is replaced by the session's token. The script keeps to the page's own objects as
// little as it can: its globals live in its own world.
const char* const kSource = R"JS((function () {
  'use strict';
  var token = '@TOKEN@';
  var held = {};
  var nextId = 0;
  function send(report) { console.log(token + JSON.stringify(report)); }
  function framePath() {
    var path = [];
    var w = window;
    try {
      while (w !== w.top) {
        var parent = w.parent, index = -1;
        for (var i = 0; i < parent.length; ++i) {
          if (parent[i] === w) { index = i; break; }
        }
        path.unshift(index);
        w = parent;
      }
    } catch (e) {}
    return path;
  }
  function withoutFragment(url) {
    var hash = url.indexOf('#');
    return hash < 0 ? url : url.substring(0, hash);
  }
  function resume(id, go) {
    var url = held[id];
    delete held[id];
    if (go && url !== undefined) { window.location.href = url; }
  }
  Object.defineProperty(window, token, {
    value: function (path, id, go) {
      if (path.length === 0) { resume(id, go); return; }
      var w = window;
      for (var i = 0; i < path.length; ++i) { w = w[path[i]]; }
      w.postMessage({token: token, id: id, go: go}, '*');
    }
  });
  window.addEventListener('message', function (event) {
    var data = event.data;
    if (data && typeof data === 'object' && data.token === token) {
      event.stopImmediatePropagation();
      resume(data.id, data.go);
    }
  }, true);
  window.addEventListener('click', function (event) {
    if (event.defaultPrevented || event.button !== 0) { return; }
    var target = event.target;
    if (target && target.nodeType !== 1) { target = target.parentElement; }
    var link = target && target.closest ? target.closest('a[href], area[href]') : null;
    if (!link) { return; }
    var written = link.getAttribute('href').trim();
    var url;
    if (/^javascript:/i.test(written)) {
      url = written;
    } else if ((!link.target || link.target === '_self') && link.href.indexOf('#') >= 0 &&
               withoutFragment(link.href) === withoutFragment(window.location.href)) {
      url = link.href;
    } else {
      return;
    }
    event.preventDefault();
    var id = ++nextId;
    held[id] = url;
    send({kind: 'link', url: url, id: id, path: framePath()});
  }, false);
  send({kind: 'document', url: window.location.href, main: window === window.top});
})();
)JS";

} // namespace

QString ScriptSource(const QString& token) {
    return QString::fromUtf8(kSource).replace(QStringLiteral("@TOKEN@"), token);
}

std::optional<Report> Parse(const QString& token, const QString& message, const QString& source) {
    if (source != QStringLiteral("userscript:") + QString::fromUtf8(kScriptName) ||
        !message.startsWith(token)) {
        return std::nullopt;
    }
    const QJsonDocument document = QJsonDocument::fromJson(message.mid(token.size()).toUtf8());
    if (!document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    Report report;
    report.url = object.value(QStringLiteral("url")).toString();
    const QString kind = object.value(QStringLiteral("kind")).toString();
    if (kind == QStringLiteral("document")) {
        report.kind = Report::Kind::Document;
        report.mainFrame = object.value(QStringLiteral("main")).toBool();
    } else if (kind == QStringLiteral("link")) {
        report.kind = Report::Kind::Link;
        report.id = object.value(QStringLiteral("id")).toInt();
        report.framePath = object.value(QStringLiteral("path")).toArray();
        report.mainFrame = report.framePath.isEmpty();
    } else {
        return std::nullopt;
    }
    return report;
}

QString ResumeLinkScript(const QString& token, const QJsonArray& framePath, int id, bool go) {
    const QString path = QString::fromUtf8(QJsonDocument(framePath).toJson(QJsonDocument::Compact));
    return QStringLiteral("window['%1'](%2, %3, %4);")
        .arg(token, path, QString::number(id),
             go ? QStringLiteral("true") : QStringLiteral("false"));
}

} // namespace page_reports
