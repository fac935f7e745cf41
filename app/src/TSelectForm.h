#pragma once

#include "platform/AnsiString.h"

#include <QWidget>

class TWebBrowser;

// The small stay-on-top window in which the bidding service's selection pop-ups (categories,
// ordering organisations) are shown. It closes (hides) itself when its page goes to one of the
// addresses with which the selection ends; its owner deletes it.
class TSelectForm : public QWidget {
public:
    explicit TSelectForm(QWidget* owner);

    void BrowserSelectBeforeNavigate2(QObject* Sender, const AnsiString& URL, bool& Cancel);

    TWebBrowser* BrowserSelect;

protected:
    void showEvent(QShowEvent* event) override;
};
