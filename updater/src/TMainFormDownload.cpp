// The installer transfer's events: the download dialog and the completion test.
#include "updater/TMainForm.h"

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "updater/TDownloadForm.h"
#include "updater/UpdaterTexts.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <climits>

namespace {

int BarValue(std::int64_t bytes) {
    return static_cast<int>(std::clamp<std::int64_t>(bytes, 0, INT_MAX));
}

} // namespace

void TMainForm::NMHTTP_QuorvanToolsSetupEXEConnect() {
    downloadForms_.push_back(std::make_unique<TDownloadForm>());
    DownloadForm = downloadForms_.back().get();
    DownloadForm->ProgressBar->setMinimum(0);
    DownloadForm->LabelFinished->setText("0");
    DownloadForm->show();
    DownloadForm->raise();
    DownloadForm->activateWindow();
}

void TMainForm::NMHTTP_QuorvanToolsSetupEXEPacketRecvd() {
    if (!DownloadForm) {
        return;
    }
    const HttpClient& client = NMHTTP_QuorvanToolsSetupEXE;
    QProgressBar* bar = DownloadForm->ProgressBar;
    bar->setMaximum(BarValue(client.BytesTotal()));
    // The bar keeps its position within its range.
    bar->setValue(std::min(BarValue(client.BytesRecvd()), bar->maximum()));
    DownloadForm->LabelTotal->setText(QString::number(client.BytesTotal()));
    DownloadForm->LabelFinished->setText(QString::number(client.BytesRecvd()));
    // Only a successful response of announced length is the installer: neither the body of a
    // redirection or an error page, nor a body whose length nobody knows.
    const bool installerResponse = client.StatusCode() <= 298 && client.BytesTotal() > 0;
    if (installerResponse && bar->value() == bar->maximum()) {
        ShowMessageBox(MSG_DOWNLOAD_DONE, CAPTION_DOWNLOAD_DONE, FLAGS_DOWNLOAD_DONE);
        DownloadForm->close();
        InstallerDownloaded = true;
    }
}

void TMainForm::NMHTTP_QuorvanToolsSetupEXEDisconnect() {
    // An unfinished download's dialog goes away with its connection.
    if (DownloadForm && !InstallerDownloaded) {
        DownloadForm->close();
    }
}

void TMainForm::NMHTTP_QuorvanToolsSetupEXESuccess() {
    if (!InstallerDownloaded) {
        fs932::DeleteFile(OwnFolder + QUORVAN_SETUP_EXE);
    }
}

void TMainForm::DeleteIncompleteDownload() {
    // Only a file that this transfer wrote: a transfer that failed before its response came
    // leaves alone whatever bears the name.
    if (!InstallerDownloaded && NMHTTP_QuorvanToolsSetupEXE.BodyFileCreated()) {
        fs932::DeleteFile(OwnFolder + ServerVersion->GetInstallerFileName());
    }
}
