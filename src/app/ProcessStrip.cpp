#include "app/ProcessStrip.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "db/DataSet.h"
#include "dialogs/Strings.h"

namespace tarvo {

namespace {
// The work-order queries hold label and description as text of at most 255 characters.
constexpr int kTextLength = 255;
}  // namespace

TProcessStrip::TProcessStrip(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("ProcessStripPanel"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    BuildControl();
    BuildDescription();
    layout->addWidget(GroupBox2);
    layout->addWidget(GroupBox1, 1);
    ApplyTexts();
    SetIdle();
}

void TProcessStrip::BuildControl()
{
    GroupBox2 = new QGroupBox(this);
    auto* row = new QHBoxLayout(GroupBox2);
    StartProgramaBtn = new QPushButton(GroupBox2);
    StopProgramaBtn = new QPushButton(GroupBox2);
    PostaviProgramBtn = new QPushButton(GroupBox2);
    ProgramSelector = new QSpinBox(GroupBox2);
    ProgramSelector->setRange(1, 8);
    ProgramSelector->setValue(1);
    for (QWidget* w : {static_cast<QWidget*>(StartProgramaBtn), static_cast<QWidget*>(StopProgramaBtn),
                       static_cast<QWidget*>(PostaviProgramBtn), static_cast<QWidget*>(ProgramSelector)})
        row->addWidget(w);
}

void TProcessStrip::BuildDescription()
{
    GroupBox1 = new QGroupBox(this);
    auto* grid = new QGridLayout(GroupBox1);
    Label1 = new QLabel(GroupBox1);
    NazivEdit = new QLineEdit(GroupBox1);
    Label3 = new QLabel(GroupBox1);
    OpisEdit = new QLineEdit(GroupBox1);
    Label4 = new QLabel(GroupBox1);
    StartText = new QLabel(GroupBox1);
    Label2 = new QLabel(GroupBox1);
    IDText = new QLabel(GroupBox1);
    PostRecordBtn = new QPushButton(GroupBox1);
    EditRecordButton = new QPushButton(GroupBox1);
    EditRecordButton->hide();
    NazivEdit->setMaxLength(kTextLength);
    OpisEdit->setMaxLength(kTextLength);
    StartText->setMinimumWidth(90);
    IDText->setMinimumWidth(40);

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(NazivEdit, 0, 1);
    grid->addWidget(Label4, 0, 2);
    grid->addWidget(StartText, 0, 3);
    grid->addWidget(PostRecordBtn, 0, 4);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(OpisEdit, 1, 1);
    grid->addWidget(Label2, 1, 2);
    grid->addWidget(IDText, 1, 3);
    grid->addWidget(EditRecordButton, 1, 4);
    grid->setColumnStretch(1, 1);

    // Typing into either field starts editing the work order by itself.
    connect(NazivEdit, &QLineEdit::textEdited, this, [this] { EditRecordButtonClick(); });
    connect(OpisEdit, &QLineEdit::textEdited, this, [this] { EditRecordButtonClick(); });
    connect(EditRecordButton, &QPushButton::clicked, this, [this] { EditRecordButtonClick(); });
}

void TProcessStrip::ApplyTexts()
{
    GroupBox2->setTitle(Str(StrUprProcesom));
    StartProgramaBtn->setText(Str(StrStartProg));
    StopProgramaBtn->setText(Str(StrStopProg));
    PostaviProgramBtn->setText(Str(StrSetProg));
    GroupBox1->setTitle(Str(StrOpisProc));
    Label1->setText(Str(StrLRNalog));
    Label3->setText(Str(StrLOpis));
    Label4->setText(Str(StrLStart));
    Label2->setText(Str(StrLID));
    EditRecordButton->setText(Str(StrBPodesiOpis));
    PostRecordBtn->setText(Str(StrBAzurirajOpis));
}

bool TProcessStrip::HasRecord() const { return record_ && record_->IsOpen() && !record_->IsEmpty(); }

void TProcessStrip::ShowRecord()
{
    if (!HasRecord()) {
        NazivEdit->clear();
        OpisEdit->clear();
        StartText->clear();
        IDText->clear();
        return;
    }
    NazivEdit->setText(record_->AsString(QStringLiteral("Naziv")));
    OpisEdit->setText(record_->AsString(QStringLiteral("Opis")));
    const QVariant start = record_->Field(QStringLiteral("Start"));
    StartText->setText(start.isNull() ? QString()
                                      : record_->AsDateTime(QStringLiteral("Start")).toString(QStringLiteral("dd/MM/yy HH:mm")));
    IDText->setText(QString::number(record_->AsInt(QStringLiteral("RedniBroj"))));
}

void TProcessStrip::SetIdle() { SetState(false); }

void TProcessStrip::SetRecording() { SetState(true); }

void TProcessStrip::SetState(bool recording)
{
    recording_ = recording;
    StartProgramaBtn->setEnabled(!recording);
    PostaviProgramBtn->setEnabled(!recording);
    ProgramSelector->setEnabled(!recording);
    StopProgramaBtn->setEnabled(recording);
    EditRecordButton->setEnabled(recording);
    PostRecordBtn->setEnabled(recording);
    // Without an open work order there is nothing to describe.
    NazivEdit->setReadOnly(!recording);
    OpisEdit->setReadOnly(!recording);
}

void TProcessStrip::EditRecordButtonClick()
{
    if (HasRecord() && !record_->IsEditing())
        record_->Edit();
}

void TProcessStrip::PostRecord()
{
    if (!HasRecord())
        return;
    if (!record_->IsEditing())
        record_->Edit();
    record_->SetField(QStringLiteral("Naziv"), NazivEdit->text());
    record_->SetField(QStringLiteral("Opis"), OpisEdit->text());
    record_->Post();
}

int TProcessStrip::SelectedProgram() const { return ProgramSelector->value(); }

void TProcessStrip::SetSelectedProgram(int n) { ProgramSelector->setValue(n); }

}  // namespace tarvo
