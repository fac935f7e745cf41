#pragma once

#include "platform/qt/TLabel.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// The download dialog: a progress bar and, below it, the total bytes, "中", the bytes received
// and "完了", with a cancel button. Closing it only hides it. The plain labels size themselves to
// their texts; the two numbers have labels of fixed size, centred.
class TDownloadForm : public QWidget {
public:
    TDownloadForm();

    TLabel* Label3;
    QProgressBar* ProgressBar;
    QLabel* LabelTotal;
    TLabel* Label1;
    QLabel* LabelFinished;
    TLabel* Label2;
    QPushButton* ButtonCancel;

    // Ends the installer transfer of the update checker's main form.
    void ButtonCancelClick();
};

// The current download dialog: none at start, the latest one made once a download connects.
extern TDownloadForm* DownloadForm;
