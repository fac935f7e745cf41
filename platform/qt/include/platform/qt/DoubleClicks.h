#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Double clicks as the Windows desktop makes them: a second click counts as a double click only
// when the first click went to the same control. Qt pairs two quick clicks at one spot whatever
// widget each of them reached, so a click on a button that brings up another control where the
// mouse stands would let the second click double-click that control. Installed on the
// application, this turns such a double click into the single press it is for the control that
// gets it.
class SameControlDoubleClicks : public QObject {
public:
    explicit SameControlDoubleClicks(QObject* parent = nullptr) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The control that the last press went to first (its parents see the same press after it
    // when it leaves the press to them; none when it is gone), and the time of that press.
    QPointer<QWidget> pressed_;
    quint64 pressTime_ = 0;
    bool anyPress_ = false;
    // Time of the last double click judged, so that its copies for the parents pass.
    quint64 doubleClickTime_ = 0;
    bool anyDoubleClick_ = false;
};
