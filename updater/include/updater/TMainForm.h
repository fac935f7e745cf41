#pragma once

#include "platform/AnsiString.h"
#include "platform/HttpClient.h"
#include "updater/IniManager.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TDownloadForm;

// The update checker's main form. It is never shown: its creation handler FormCreate runs the
// whole update road (refuse conflicting programs, read the version file, fetch the server's,
// ask, stop what is in the way, download the installer, hand over to the process checker) and
// requests the program's end.
class TMainForm : public QWidget {
public:
    // The form of the running program: its folder is that of its executable, and the end is
    // requested by posting a quit to the application's message loop.
    TMainForm();
    // `modulePath` stands for the executable's path and `requestEnd` for the quit request.
    TMainForm(const AnsiString& modulePath, std::function<void()> requestEnd);
    // Deletes the versioned installer of the server record from the own folder.
    ~TMainForm() override;

    // The update road.
    void FormCreate();

    // Events of the version-file transfer and of the installer transfer.
    void NMHTTP_IniSuccess();
    void NMHTTP_QuorvanToolsSetupEXEConnect();
    void NMHTTP_QuorvanToolsSetupEXEPacketRecvd();
    void NMHTTP_QuorvanToolsSetupEXEDisconnect();
    void NMHTTP_QuorvanToolsSetupEXESuccess();

    // Processes by executable name, compared whole, byte for byte, among the processes whose
    // real user is this program's. Only the first such process of the name in the process list
    // counts. The waits are 300 ms on the Clock.
    // Terminates the first process of the name, if any, then waits.
    static void KillProcessByName(const AnsiString& name);
    // Whether a process of the name other than `ownId` runs; waits before answering.
    static bool IsOtherInstanceRunning(const AnsiString& name, std::uint32_t ownId);
    static bool IsProcessRunning(const AnsiString& name);
    // Asks the first process of the name to close its main window (the visible top-level
    // window that belongs to no other, the topmost of them), or the dialog it shows over that
    // window, then waits. False, at once, when there is no such process or window.
    static bool CloseProcessWindow(const AnsiString& name);

    HttpClient NMHTTP_Ini;
    HttpClient NMHTTP_QuorvanToolsSetupEXE;
    // The server's version file ("new_version.ini") and the local one ("version.ini").
    std::unique_ptr<IniManager> ServerVersion;
    std::unique_ptr<IniManager> LocalVersion;
    // The update checker's folder with its trailing "/"; "" until the road finds it.
    AnsiString OwnFolder;
    // Set once the installer's bytes reached the announced total.
    bool InstallerDownloaded = false;

    // Times the spreadsheet program is asked at most to close a window before the download
    // goes on.
    static constexpr int kMaxWindowCloses = 50;

private:
    // Whether the server record's values may name the files and programs the road makes of
    // them: nothing that leaves the folders, no program of the checker's own, nothing too long
    // for the file system.
    bool ServerNamesAreSafe();
    // Stops the programs that would be in the way of the installer.
    void StopProgramsInTheWay();
    // Deletes the installer transfer's file unless its bytes reached the announced total, so
    // that a cut, cancelled, failed or unbounded download never stays to be run later.
    void DeleteIncompleteDownload();
    // Copies and starts the process checker, or reopens the product when the copy fails.
    void HandOver();
    void RequestEnd();
    // The product's folder: the own folder less its last component "lumbrixon/".
    AnsiString ParentFolder() const;

    AnsiString modulePath_;
    std::function<void()> requestEnd_;
    std::vector<std::unique_ptr<TDownloadForm>> downloadForms_;
};

// The update checker's main form while it exists.
extern TMainForm* MainForm;
