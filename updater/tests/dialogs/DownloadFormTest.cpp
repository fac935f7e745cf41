#include "updater/TDownloadForm.h"

#include "platform/qt/UiFont.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// The dialog's fonts are the form description's "ＭＳ Ｐゴシック" through the project's stand-in,
// 12 pixels for the form and the button, 16 for the labels.
TEST(DownloadFormTest, FontsAreTheNamedJapaneseFontOrItsStandIn) {
    const TDownloadForm form;
    const QString family = ResolveFontFamily(QString::fromUtf8("ＭＳ Ｐゴシック"));
    const std::pair<const QWidget*, int> fonts[] = {
        {&form, 12},       {form.ButtonCancel, 12}, {form.Label3, 16},        {form.Label1, 16},
        {form.Label2, 16}, {form.LabelTotal, 16},   {form.LabelFinished, 16},
    };
    for (const auto& [widget, pixels] : fonts) {
        const QFontInfo font(widget->font());
        EXPECT_EQ(font.family(), family) << widget->objectName().toStdString();
        EXPECT_EQ(font.pixelSize(), pixels) << widget->objectName().toStdString();
    }
}

// The plain labels stand where the form description puts them and size themselves to their
// texts; the two numbers keep their fixed, centred boxes.
TEST(DownloadFormTest, ControlsSitWhereTheFormDescriptionPutsThem) {
    const TDownloadForm form;
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("ダウンロード中"));
    EXPECT_EQ(form.Label3->text(), QString::fromUtf8("ダウンロード中..."));
    EXPECT_EQ(form.Label1->text(), QString::fromUtf8("中"));
    EXPECT_EQ(form.Label2->text(), QString::fromUtf8("完了"));
    EXPECT_EQ(form.ButtonCancel->text(), QString::fromUtf8("キャンセル"));
    EXPECT_EQ(form.Label3->pos(), QPoint(16, 8));
    EXPECT_EQ(form.Label1->pos(), QPoint(128, 72));
    EXPECT_EQ(form.Label2->pos(), QPoint(272, 72));
    const QLabel* plain[] = {form.Label3, form.Label1, form.Label2};
    for (const QLabel* label : plain) {
        EXPECT_EQ(label->size(), label->sizeHint()) << label->objectName().toStdString();
    }
    EXPECT_EQ(form.ProgressBar->geometry(), QRect(16, 32, 289, 25));
    EXPECT_EQ(form.LabelTotal->geometry(), QRect(16, 72, 105, 17));
    EXPECT_EQ(form.LabelFinished->geometry(), QRect(152, 72, 113, 17));
    EXPECT_EQ(form.LabelTotal->alignment(), Qt::AlignCenter);
    EXPECT_EQ(form.LabelFinished->alignment(), Qt::AlignCenter);
    EXPECT_EQ(form.ButtonCancel->geometry(), QRect(200, 104, 97, 33));
}

// Every text of the dialog is drawn whole inside its control, the numbers at their largest (the
// HTTP client takes no body above 1 GiB), and every control inside the dialog, the labels of
// the line below the bar each beside the next.
TEST(DownloadFormTest, EveryTextStaysInsideItsControl) {
    TDownloadForm form;
    const QString largest = QString::number(std::int64_t(1) << 30);
    form.LabelTotal->setText(largest);
    form.LabelFinished->setText(largest);
    const QLabel* labels[] = {form.Label3, form.LabelTotal, form.Label1, form.LabelFinished,
                              form.Label2};
    for (const QLabel* label : labels) {
        const std::string name = label->objectName().toStdString();
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->contentsRect().width())
            << name << ": " << label->text().toStdString();
        EXPECT_LE(label->font().pixelSize(), label->contentsRect().height()) << name;
        EXPECT_TRUE(form.rect().contains(label->geometry())) << name;
    }
    const QFontMetrics buttonMetrics(form.ButtonCancel->font());
    EXPECT_LE(form.ButtonCancel->sizeHint().width(), form.ButtonCancel->width());
    EXPECT_LE(buttonMetrics.height(), form.ButtonCancel->height());
    EXPECT_TRUE(form.rect().contains(form.ButtonCancel->geometry()));
    EXPECT_TRUE(form.rect().contains(form.ProgressBar->geometry()));
    const QWidget* line[] = {form.LabelTotal, form.Label1, form.LabelFinished, form.Label2};
    for (std::size_t i = 0; i + 1 < std::size(line); ++i) {
        EXPECT_LT(line[i]->geometry().right(), line[i + 1]->geometry().left())
            << line[i]->objectName().toStdString();
    }
}

} // namespace
