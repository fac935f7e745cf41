// Renders the windows on the program folder it runs in: the splash window, then the main
// window's condition page and result page after a calculation in each mode, one PNG each. Messages
// go to standard error and are answered OK, so nothing waits for a user.
//
//   vakrel_screenshot <output folder> [X] [Y]
#include "TMainForm.h"
#include "TStartForm.h"

#include "model/CIniManager.h"

#include "platform/browser/TWebBrowserSession.h"
#include "platform/qt/ErrorDisplay.h"
#include "platform/qt/UiFont.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <memory>

namespace {

void Pump(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

bool Save(QWidget& form, const QString& folder, const QString& name) {
    Pump(1500);
    QPixmap picture;
    if (QScreen* screen = QGuiApplication::primaryScreen();
        screen && QGuiApplication::platformName() == QStringLiteral("xcb")) {
        // From the X server, so that the web views' content is in the picture too.
        picture = screen->grabWindow(form.winId());
    } else {
        picture = form.grab();
    }
    const QString path = QDir(folder).filePath(name);
    const bool saved = picture.save(path);
    std::fprintf(stderr, "%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    ProgramVersionFile();
    PrepareWebBrowserProcess();
    TApplication application(argc, argv);
    SetApplicationTitle("Vakrel_R581_prototype");
    TApplication::setFont(UiFont(QString::fromUtf8("ＭＳ Ｐゴシック"), -12));
    if (argc < 2) {
        std::fprintf(stderr, "usage: vakrel_screenshot <output folder> [X] [Y]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const AnsiString x = argc > 2 ? AnsiString(argv[2]) : AnsiString("-135000");
    const AnsiString y = argc > 3 ? AnsiString(argv[3]) : AnsiString("18000");

    bool ok = true;
    {
        TStartForm splash;
        splash.show();
        ok = Save(splash, folder, QStringLiteral("0-splash.png"));
    }

    const TWebBrowserSession browserSession;
    auto form = std::make_unique<TMainForm>();
    form->FormCreate(form.get());
    if (form->QuitRequested()) {
        return 1;
    }
    form->show();
    form->EditX->SetText(x);
    form->EditY->SetText(y);
    ok = Save(*form, folder, QStringLiteral("1-conditions-sp.png")) && ok;
    form->ButtonCalc->click();
    ok = Save(*form, folder, QStringLiteral("2-results-sp.png")) && ok;

    form->PageControl->SetActivePageIndex(0);
    form->RadioButtonBugakari->click();
    ok = Save(*form, folder, QStringLiteral("3-conditions-bugakari.png")) && ok;
    form->ButtonCalc->click();
    ok = Save(*form, folder, QStringLiteral("4-results-bugakari.png")) && ok;
    form.reset();
    return ok ? 0 : 1;
}
