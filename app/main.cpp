// Program entry: the application object, the main window (whose creation runs the start-up),
// the splash window class's auto-created instance, and the message loop.
#include "TMainForm.h"
#include "TStartForm.h"

#include "model/CIniManager.h"

#include "platform/ModulePath.h"
#include "platform/browser/TWebBrowserSession.h"
#include "platform/qt/ErrorDisplay.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/UiFont.h"

#include <memory>

int main(int argc, char** argv) {
    // Every relative path of the program names a file of its own folder, whichever folder it
    // was started from.
    EnterProgramFolder();
    // The update checker's version file is read once, before anything else runs.
    ProgramVersionFile();
    PrepareWebBrowserProcess();
    TApplication application(argc, argv);
    SetApplicationTitle("Vakrel_R581_prototype");
    InstallQtMessageBox();
    TApplication::setFont(UiFont(QString::fromUtf8("ＭＳ Ｐゴシック"), -12));
    // The browsers' shared state; windows go before it and it goes before the application.
    const TWebBrowserSession browserSession;
    try {
        auto mainForm = std::make_unique<TMainForm>();
        // Every loop ends, also a wait's that a handler runs; no other window is asked, so
        // neither the wait dialog nor an open pop-up keeps the program going.
        mainForm->OnClosed = [] { EndApplication(); };
        RunHandler([&] { mainForm->FormCreate(mainForm.get()); });
        const TStartForm startForm;
        if (!mainForm->QuitRequested()) {
            mainForm->show();
            TApplication::exec();
        }
    } catch (const std::exception& error) {
        ShowApplicationError(error);
    }
    return 0;
}
