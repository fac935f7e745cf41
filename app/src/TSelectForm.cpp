#include "TSelectForm.h"

#include "FormFrame.h"

#include "platform/browser/TWebBrowser.h"
#include "platform/qt/ErrorDisplay.h"
#include "platform/qt/UiFont.h"

#include <QVBoxLayout>

namespace {

// Addresses with which the selection pages end (their close or return links).
const char* const kCloseMarkers[] = {"javascript:CtgCheck()", "javascript:secCheck()",
                                     "javascript:RetBure()", "1#"};

} // namespace

TSelectForm::TSelectForm(QWidget* owner) : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SelectForm"));
    setWindowTitle(QString::fromUtf8("vor　入札情報サービス"));
    setFont(UiFont(QString::fromUtf8("ＭＳ Ｐゴシック"), -12));
    resize(FormFrame::ClientSize(636, 568));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    BrowserSelect = new TWebBrowser(this);
    BrowserSelect->setObjectName(QStringLiteral("BrowserSelect"));
    layout->addWidget(BrowserSelect);
    BrowserSelect->OnBeforeNavigate2 = [this](TWebBrowser* sender, const AnsiString& url,
                                              bool& cancel) {
        RunHandler([&] { BrowserSelectBeforeNavigate2(sender, url, cancel); });
    };
}

void TSelectForm::BrowserSelectBeforeNavigate2(QObject*, const AnsiString& URL, bool&) {
    for (const char* marker : kCloseMarkers) {
        if (URL.Contains(marker)) {
            close();
            return;
        }
    }
}

// Centred on the main window each time it is shown.
void TSelectForm::showEvent(QShowEvent* event) {
    if (const QWidget* owner = parentWidget()) {
        const QRect frame = owner->window()->frameGeometry();
        move(frame.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    QWidget::showEvent(event);
}
