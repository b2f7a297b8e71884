// "Podesavanje poruke na displeju": the free text of a clock and message display, sent to the
// display itself, to its group or to the whole bus.
#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tarvo {

class TPorukaDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int MessageLength = 8;

    // `text`: the message the display holds now.
    explicit TPorukaDlg(const QString& text, QWidget* parent = nullptr);

    // Addressing of the write: the whole bus wins over the group, else the display alone.
    int AddressMode() const;
    // The message as it goes on the bus: exactly MessageLength characters.
    std::string Message() const;

    QLineEdit* Tekst;
    QCheckBox* CheckBoxGrupi;
    QCheckBox* CheckBoxMrezi;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

// Cuts a text to its first `length` characters or pads it with blanks to exactly `length`.
// Only printable ASCII goes on the bus: any other character becomes '?'.
std::string FitMessage(const QString& text, int length = TPorukaDlg::MessageLength);

}  // namespace tarvo
