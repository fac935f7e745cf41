#pragma once

#include "platform/qt/TLabel.h"

#include <QString>
#include <QWidget>

// The small dialog shown while the automatic refinement runs: a message whose last character
// is a mark that turns ―, ＼, │, ／ once a second. It has no close box; only its owner closes
// it, and a closed dialog frees itself.
class TWaitCalcForm : public QWidget {
public:
    enum TCloseAction { caNone, caHide, caFree };

    explicit TWaitCalcForm(QWidget* mainWindow = nullptr);

    // Turns the mark one step: step 0 to 3, from ―, ＼, │, ／ to the next.
    void TurnMark(int step);
    // Lets the next close through (the user cannot close the dialog).
    void AllowClose() { closeAllowed_ = true; }

    void FormClose(QObject* Sender, TCloseAction& Action);

    TLabel* Label1;
    TLabel* Label2;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* mainWindow_;
    bool closeAllowed_ = false;
};

// A caption with the mark of the given step turned: every occurrence of the step's mark is
// replaced by the next mark.
QString TurnedMark(const QString& caption, int step);
