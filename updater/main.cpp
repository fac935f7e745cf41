// The update checker: checks the server for a newer version of the product, downloads its
// installer and hands over to the maker's process checker. It shows no main window.
#include "platform/ModulePath.h"
#include "platform/qt/ErrorDisplay.h"
#include "platform/qt/QtMessageBox.h"
#include "updater/TMainForm.h"

int main(int argc, char** argv) {
    // The checker works in its own folder, whichever folder it was started from: the programs
    // it starts inherit it, and the process checker is handed the installer's bare file name.
    EnterProgramFolder();
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
