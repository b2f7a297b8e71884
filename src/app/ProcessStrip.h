// The process strip at the top of the main window: the programmer's controls (start, stop and
// select a program) and the current work order's label and description, editable in place.
// The strip shows the current row of a work-order data set; the main window decides when it
// is idle or recording and handles the buttons.
#pragma once

#include <QFrame>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tarvo {

class TDataSet;

class TProcessStrip : public QFrame {
    Q_OBJECT
public:
    explicit TProcessStrip(QWidget* parent = nullptr);

    // The data set whose current row is the work order shown (the unfinished work orders).
    void Bind(TDataSet* record) { record_ = record; }
    // Shows the current row's fields, or empty fields when there is none.
    void ShowRecord();

    // Idle: a program may be started or chosen; recording: it may be stopped and the work
    // order described.
    void SetIdle();
    void SetRecording();
    bool Recording() const { return recording_; }

    // The shown work order in editing (the "Podesi opis" button, or typing into a field).
    void EditRecordButtonClick();
    // Posts the edited label and description; throws the database's error, the typed texts
    // staying in the fields.
    void PostRecord();

    int SelectedProgram() const;
    void SetSelectedProgram(int n);

    void ApplyTexts();

    QGroupBox* GroupBox2;  // process control
    QPushButton* StartProgramaBtn;
    QPushButton* StopProgramaBtn;
    QPushButton* PostaviProgramBtn;
    QSpinBox* ProgramSelector;

    QGroupBox* GroupBox1;  // process description
    QLabel* Label1;
    QLineEdit* NazivEdit;
    QLabel* Label3;
    QLineEdit* OpisEdit;
    QLabel* Label4;
    QLabel* StartText;
    QLabel* Label2;
    QLabel* IDText;
    QPushButton* PostRecordBtn;
    QPushButton* EditRecordButton;

private:
    void BuildControl();
    void BuildDescription();
    void SetState(bool recording);
    bool HasRecord() const;

    TDataSet* record_ = nullptr;
    bool recording_ = false;
};

}  // namespace tarvo
