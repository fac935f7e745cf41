#include "MainFormFixture.h"

#include "platform/qt/ErrorDisplay.h"
#include "platform/qt/QtText.h"

#include <QTest>

std::string Utf8(const AnsiString& text) {
    return text.ToUtf8();
}

AnsiString Sj(const std::string& utf8) {
    return AnsiString::FromUtf8(utf8);
}

MainFormTest::MainFormTest() {
    SetApplicationTitle("Vakrel_R581_prototype");
}

MainFormTest::~MainFormTest() {
    // The window goes before its folder stops being the current one.
    form_.reset();
    folder_.reset();
}

void MainFormTest::Create(const ProgramFolder::Options& options) {
    form_.reset();
    folder_.reset();
    folder_ = std::make_unique<ProgramFolder>(options);
    form_ = std::make_unique<TMainForm>();
    form_->show();
}

void MainFormTest::Start(const ProgramFolder::Options& options) {
    Create(options);
    RunHandler([&] { form_->FormCreate(form_.get()); });
}

void MainFormTest::Restart() {
    form_.reset();
    form_ = std::make_unique<TMainForm>();
    form_->show();
    RunHandler([&] { form_->FormCreate(form_.get()); });
}

void MainFormTest::Choose(TComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void MainFormTest::Type(QWidget* widget, const std::string& utf8) {
    QTest::keyClicks(widget, QString::fromStdString(utf8));
}

void MainFormTest::Calculate(const std::string& x, const std::string& y) {
    form_->EditX->SetText(Sj(x));
    form_->EditY->SetText(Sj(y));
    Click(form_->ButtonCalc);
}

void MainFormTest::TypeIntoCell(int col, int row, const std::string& keys) {
    TStringGrid* grid = form_->StringGrid;
    grid->SetRow(row);
    grid->SetCol(col);
    QWidget* target = grid->EditorVisible() ? static_cast<QWidget*>(grid->InplaceEditor()) : grid;
    Type(target, keys);
}

void MainFormTest::PressInGrid(int key) {
    TStringGrid* grid = form_->StringGrid;
    QWidget* target = grid->EditorVisible() ? static_cast<QWidget*>(grid->InplaceEditor()) : grid;
    QTest::keyClick(target, static_cast<Qt::Key>(key));
}

std::vector<std::string> MainFormTest::Column(int col) {
    std::vector<std::string> texts;
    for (int row = 1; row < form_->StringGrid->RowCount(); ++row) {
        texts.push_back(Cell(col, row));
    }
    return texts;
}

std::string MainFormTest::Cell(int col, int row) {
    return Utf8(form_->StringGrid->Cell(col, row));
}

int MainFormTest::RowOf(const std::string& siteName) {
    for (int row = 1; row < form_->StringGrid->RowCount(); ++row) {
        if (Cell(1, row) == siteName) {
            return row;
        }
    }
    return 0;
}

std::string MainFormTest::ErrorCaption() const {
    return "Vakrel_R581_prototype";
}
