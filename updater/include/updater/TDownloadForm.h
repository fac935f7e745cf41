#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// The download dialog: a progress bar and, below it, the total bytes, "中", the bytes received
// and "完了", with a cancel button. Closing it only hides it.
class TDownloadForm : public QWidget {
public:
    TDownloadForm();

    QLabel* Label3;
    QProgressBar* ProgressBar;
    QLabel* LabelTotal;
    QLabel* Label1;
    QLabel* LabelFinished;
    QLabel* Label2;
    QPushButton* ButtonCancel;

    // Ends the installer transfer of the update checker's main form.
    void ButtonCancelClick();
};

// The current download dialog: none at start, the latest one made once a download connects.
extern TDownloadForm* DownloadForm;
