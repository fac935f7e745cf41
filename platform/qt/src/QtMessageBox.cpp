#include "platform/qt/QtMessageBox.h"

#include "platform/MessageBox.h"
#include "platform/qt/QtText.h"

#include <QApplication>
#include <QMessageBox>

int ShowQtMessageBox(const AnsiString& text, const AnsiString& caption, unsigned flags) {
    QMessageBox box;
    box.setText(ToQString(text));
    box.setWindowTitle(ToQString(caption));
    switch (flags & 0xF0) {
    case 0x10:
        box.setIcon(QMessageBox::Critical);
        break;
    case mb::ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case mb::ICONWARNING:
        box.setIcon(QMessageBox::Warning);
        break;
    case mb::ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    const bool yesNo = (flags & 0xF) == mb::YESNO;
    if (yesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setWindowModality(Qt::ApplicationModal);
    if (flags & mb::TOPMOST) {
        box.setWindowFlags(box.windowFlags() | Qt::WindowStaysOnTopHint);
    }
    const int answer = box.exec();
    if (yesNo) {
        return answer == QMessageBox::Yes ? mb::IDYES : mb::IDNO;
    }
    return mb::IDOK;
}

void InstallQtMessageBox() {
    SetMessageBoxHandler(ShowQtMessageBox);
}
