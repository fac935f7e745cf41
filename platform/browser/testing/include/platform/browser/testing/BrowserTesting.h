#pragma once

#include <QString>
#include <QVariant>

#include <functional>

class TWebBrowser;

// Makes the engine resolve every host name to 127.0.0.1, so that pages can be served under the
// deployment host names from a LocalHttpServer (the address still carries the server's port).
// Call it before the application object exists; flags already set are kept.
void MapAllHostsToLoopback();

// Runs the message loop until `done` holds or `timeoutMs` milliseconds have passed; returns
// whether it holds.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

// Waits until the browser's navigation has ended: ReadyState 4 and not Busy.
bool WaitUntilComplete(TWebBrowser& browser, int timeoutMs = 10000);

// Runs a script in the main world of the browser's page and waits for its value (an invalid
// QVariant when the page gives none in time).
QVariant EvaluateScript(TWebBrowser& browser, const QString& script, int timeoutMs = 10000);
