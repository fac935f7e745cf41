#pragma once

#include <condition_variable>
#include <mutex>
#include <string>

class LocalHttpServer;
class TWebBrowser;

// Keeps a page's script thread busy in a synchronous request that the local server answers only
// once the test lets it go: meanwhile the page answers no document access, so an access made
// then is surely outstanding, however slow the machine.
class HeldPage {
public:
    // Answers `target` of the server, held until Release.
    explicit HeldPage(LocalHttpServer& server, const std::string& target = "/hold");
    ~HeldPage();
    HeldPage(const HeldPage&) = delete;
    HeldPage& operator=(const HeldPage&) = delete;

    // Starts the request from the browser's page and waits until the server holds it.
    bool Hold(TWebBrowser& browser);
    // Starts the request from the page's own script at once and returns: a document access made
    // after this waits until Release, as the page's scripts run in the order they were sent.
    void Start(TWebBrowser& browser);
    // The server holds the request (and has not been let go since).
    bool Held();
    // Lets the request go: the page answers again.
    void Release();

private:
    std::string target_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    bool released_ = false;
};
