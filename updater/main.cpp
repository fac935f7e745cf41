// The update checker: checks the server for a newer version of the product, downloads its
// installer and hands over to the maker's process checker. It shows no main window.
#include "platform/qt/ErrorDisplay.h"
#include "platform/qt/QtMessageBox.h"
#include "updater/TMainForm.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    InstallQtMessageBox();
    SetApplicationTitle("lumbrixon");
    QApplication::setApplicationName("lumbrixon");
    try {
        TMainForm form;
        form.FormCreate();
        form.hide();
        application.exec();
    } catch (const std::exception& error) {
        ShowApplicationError(error);
    }
    return 0;
}
