#include "devices/PorukaDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "dialogs/DialogParts.h"
#include "link/Codec.h"

namespace tarvo {

namespace {

bool Printable(QChar c) { return c.unicode() >= 0x20 && c.unicode() <= 0x7E; }

}  // namespace

std::string FitMessage(const QString& text, int length)
{
    std::string out;
    for (int i = 0; i < text.size() && static_cast<int>(out.size()) < length; ++i)
        out.push_back(Printable(text[i]) ? static_cast<char>(text[i].unicode()) : '?');
    out.resize(static_cast<size_t>(length), ' ');
    return out;
}

TPorukaDlg::TPorukaDlg(const QString& text, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Podesavanje poruke na displeju"));
    FixClientArea(*this, {300, 115});
    AddBevel(*this, {8, 8, 200, 100});

    Tekst = new QLineEdit(this);
    Tekst->setGeometry(20, 25, 100, 21);
    Tekst->setMaxLength(MessageLength);
    // The display shows printable ASCII only; anything else could not go on the bus.
    Tekst->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[\\x20-\\x7E]*")), Tekst));
    Tekst->setText(text);

    CheckBoxGrupi = new QCheckBox(QStringLiteral("Svima u grupi"), this);
    CheckBoxGrupi->setGeometry(20, 60, 97, 17);
    CheckBoxMrezi = new QCheckBox(QStringLiteral("Svima u mrezi"), this);
    CheckBoxMrezi->setGeometry(20, 80, 97, 17);

    AddOkCancel(*this, {216, 8, 75, 25}, {216, 44, 75, 25}, &OKBtn, &CancelBtn);
}

int TPorukaDlg::AddressMode() const
{
    if (CheckBoxMrezi->isChecked())
        return AddressNetwork;
    if (CheckBoxGrupi->isChecked())
        return AddressGroup;
    return AddressOwn;
}

std::string TPorukaDlg::Message() const { return FitMessage(Tekst->text()); }

}  // namespace tarvo
