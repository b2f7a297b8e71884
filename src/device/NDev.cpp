#include "device/NDev.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <cmath>

#include "device/Help.h"
#include "device/UpDown.h"
#include "devices/ODioda.h"

namespace tarvo {

QString FormatEditValue(double value, int decimals)
{
    if (decimals < 0 || decimals > 3)
        return {};
    QString s = QString::number(value, 'f', decimals);
    if (s.startsWith('-') && s.mid(1).toDouble() == 0.0)
        s.remove(0, 1);
    return s;
}

TLumoDevice::TLumoDevice(QWidget* owner, uint8_t group, uint8_t unit, const ParamDesc* params, int count)
    : QFrame(owner), DeviceCore(group, unit, params, count)
{
    BuildFrame(group, unit);
    BuildEditPanel();
    BuildMenu();
}

TLumoDevice::~TLumoDevice() = default;

void TLumoDevice::BuildFrame(uint8_t group, uint8_t unit)
{
    setFixedSize(PanelSize, PanelSize);
    Panel1 = new QFrame(this);
    Panel1->setGeometry(0, 0, PanelSize, PanelSize);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(4);

    Image1 = new QLabel(Panel1);
    Image1->setGeometry(8, 8, 220, 220);

    GreskaLb = new QLabel(QStringLiteral("SCAN"), Panel1);
    GreskaLb->setGeometry(8, 8, 113, 13);

    AddressLb = new QLabel(QStringLiteral("adr:%1%2").arg(group).arg(unit), Panel1);
    AddressLb->setGeometry(189, 8, 34, 13);
    AddressLb->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    AddressLb->setToolTip(QStringLiteral("Komunikaciona adresa uredjaja"));
    QFont small = AddressLb->font();
    small.setPixelSize(8);
    AddressLb->setFont(small);

    CommLed = new TOutDioda(Panel1, QColor(128, 0, 0), QColor(255, 0, 0), 8);
    CommLed->move(46, 45);
    CommLed->setToolTip(QStringLiteral("Indikacija komunikacije sa uredjajem"));
    CommLed->show();
}

void TLumoDevice::BuildEditPanel()
{
    Panel2 = new QFrame(Panel1);
    Panel2->setGeometry(8, 152, 220, EditPanelHeight);
    Panel2->setAutoFillBackground(true);
    Panel2->hide();

    ImeParametra = new QLabel(QStringLiteral("Parametar"), Panel2);
    ImeParametra->setGeometry(8, 4, 204, 14);
    VrednostCombo = new QComboBox(Panel2);
    VrednostCombo->setGeometry(8, 19, 201, 21);
    VrednostEdit = new QLineEdit(QStringLiteral("0"), Panel2);
    VrednostEdit->setGeometry(8, 19, 185, 21);
    VrednostEdit->setReadOnly(true);
    VrednostEdit->hide();
    VrednostParametra = new TUpDown(Panel2);
    VrednostParametra->setGeometry(193, 19, 16, 21);
    VrednostParametra->hide();
    CheckBoxGrupi = new QCheckBox(QStringLiteral("Svima u grupi"), Panel2);
    CheckBoxGrupi->setGeometry(4, 43, 90, 17);
    CheckBoxMrezi = new QCheckBox(QStringLiteral("Svima u mrezi"), Panel2);
    CheckBoxMrezi->setGeometry(4, 60, 90, 17);
    PostaviBtn = new QPushButton(QStringLiteral("Postavi"), Panel2);
    PostaviBtn->setGeometry(96, 48, 51, 24);
    CancelBtn = new QPushButton(QStringLiteral("Otkazi"), Panel2);
    CancelBtn->setGeometry(152, 48, 57, 24);

    connect(VrednostCombo, qOverload<int>(&QComboBox::activated), this, &TLumoDevice::VrednostComboChange);
    connect(VrednostParametra, &TUpDown::Changing, this, &TLumoDevice::VrednostParametraChanging);
    connect(VrednostParametra, &TUpDown::DragStarted, this, &TLumoDevice::VrednostParametraMouseDown);
    connect(VrednostParametra, &TUpDown::DragMoved, this, &TLumoDevice::VrednostParametraMouseMove);
    connect(VrednostParametra, &TUpDown::DragFinished, this, &TLumoDevice::VrednostParametraMouseUp);
    connect(PostaviBtn, &QPushButton::clicked, this, &TLumoDevice::PostaviBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TLumoDevice::CancelBtnClick);
}

void TLumoDevice::BuildMenu()
{
    PopupMenu = new QMenu(this);
    Konfiguracija = PopupMenu->addMenu(QStringLiteral("&Konfiguracija"));
    Zapamti = Konfiguracija->addAction(QStringLiteral("Zapamti"));
    Ucitaj = Konfiguracija->addAction(QStringLiteral("Ucitaj"));
    Konfiguracija->setEnabled(false);
    PosebneFunkcije = PopupMenu->addMenu(QStringLiteral("Posebne funkcije"));
    ZakljucanaTastatura = PosebneFunkcije->addAction(QStringLiteral("Zakljucana tastatura"));
    ZakljucanaTastatura->setCheckable(true);
    PosebneFunkcije->setEnabled(false);
    PrmTable = PopupMenu->addMenu(QStringLiteral("&Tabela Parametara"));
    PrmTable->setToolTip(QStringLiteral("Prikazuje listu parametara"));
    PrmProces = PrmTable->addAction(QStringLiteral("Izmerene vrednosti i statusi"));
    PrmProces->setData(5);
    PrmTable->setEnabled(false);
    PopupMenu->addSeparator();
    Scan1Item = PopupMenu->addAction(QStringLiteral("Scan"));
    Scan1Item->setEnabled(false);
    PopupMenu->addSeparator();
    Pomoc1 = PopupMenu->addAction(QStringLiteral("Pomoc"));

    OnClick(ZakljucanaTastatura, [this] { ZakljucanaTastaturaClick(); });
    OnClick(Scan1Item, [this] { Scan1Click(); });
    OnClick(Pomoc1, [this] { Pomoc1Click(); });
}

void OnClick(QAction* item, const std::function<void()>& handler)
{
    // A click handler decides the check mark itself (the toggling commands test the mark as it
    // was), so the automatic toggle of a checkable item is undone first.
    QObject::connect(item, &QAction::triggered, item, [item, handler](bool) {
        if (item->isCheckable())
            item->setChecked(!item->isChecked());
        handler();
    });
}

void TLumoDevice::contextMenuEvent(QContextMenuEvent* e)
{
    PopupMenuPopup();
    PopupMenu->exec(e->globalPos());
}

void TLumoDevice::PopupMenuPopup()
{
    const bool online = State == StateOnline;
    PrmTable->setEnabled(online);
    Konfiguracija->setEnabled(online);
    PosebneFunkcije->setEnabled(online);
    if (online)
        UpdateMenus();
}

void TLumoDevice::Scan1Click() { Scan1(); }

void TLumoDevice::ZakljucanaTastaturaClick()
{
    if (ZakljucanaTastatura->isChecked()) {
        ZakljucanaTastatura->setChecked(false);
        ClearStatusBits(4, 4);
    } else {
        ZakljucanaTastatura->setChecked(true);
        SetStatusBits(4, 4);
    }
}

void TLumoDevice::Pomoc1Click() { OpenHelpTopic(TypeId + 1100); }

void TLumoDevice::OnStatusLabel(const std::string& text, bool visible)
{
    GreskaLb->setText(QString::fromStdString(text));
    GreskaLb->setVisible(visible);
}

void TLumoDevice::OnCommLed(bool on)
{
    if (on)
        CommLed->SwitchOn();
    else
        CommLed->SwitchOff();
}

void TLumoDevice::OnScanEnabled(bool enabled) { Scan1Item->setEnabled(enabled); }

bool TLumoDevice::EditorShown() const { return !Panel2->isHidden(); }

void TLumoDevice::SetPanelSize(int width, int height)
{
    const int extra = EditorShown() ? EditPanelHeight : 0;
    setFixedSize(width, height + extra);
    Panel1->setGeometry(0, 0, width, height + extra);
    Image1->resize(width - 16, height - 16);
    AddressLb->move(width - 47, AddressLb->y());  // anchored top right
    Panel2->move(8, height + extra - 8 - EditPanelHeight);  // anchored bottom left
}

void TLumoDevice::ShowEditPanel()
{
    if (Panel2->isHidden()) {
        setFixedHeight(height() + EditPanelHeight);
        Panel1->resize(Panel1->width(), Panel1->height() + EditPanelHeight);
        Panel2->move(8, Panel1->height() - 8 - EditPanelHeight);
        Panel2->show();
    }
    raise();
}

void TLumoDevice::HideEditPanel()
{
    if (Panel2->isHidden())
        return;
    Panel2->hide();
    Panel1->resize(Panel1->width(), Panel1->height() - EditPanelHeight);
    setFixedHeight(height() - EditPanelHeight);
}

void TLumoDevice::OpenChoiceEditor(int index, int shownChoices)
{
    const ParamDesc& desc = GetParamDesc(index);
    EditIndex = index;
    EditValue = Values[static_cast<size_t>(index)];
    ImeParametra->setText(QString::fromUtf8(desc.Caption));
    VrednostParametra->hide();
    VrednostEdit->hide();
    VrednostCombo->clear();
    for (int i = 0; i < shownChoices && i < desc.ChoiceCount(); ++i)
        VrednostCombo->addItem(QString::fromUtf8(desc.Choices[i]));
    VrednostCombo->setCurrentIndex(static_cast<int>(EditValue));
    VrednostCombo->show();
    ShowEditPanel();
}

void TLumoDevice::OpenNumberEditor(int index, int decimals, long long lo, long long hi)
{
    const ParamDesc& desc = GetParamDesc(index);
    EditIndex = index;
    EditValue = Values[static_cast<size_t>(index)];
    EditDecimals = decimals;
    ImeParametra->setText(QString::fromUtf8(desc.Caption));
    VrednostCombo->hide();
    // Positions and their one-step margins must fit the 16-bit editor; a wider range is cut
    // rather than wrapped.
    VrednostParametra->SetRange(ClampPosition(lo - 1), ClampPosition(hi + 1));
    VrednostParametra->SetPosition(static_cast<int>(TruncCounts(EditValue * std::pow(10.0, decimals))));
    ShowEditValue();
    VrednostParametra->show();
    VrednostEdit->show();
    ShowEditPanel();
}

void TLumoDevice::ShowEditValue()
{
    const QString text = FormatEditValue(EditValue, EditDecimals);
    if (!text.isNull())
        VrednostEdit->setText(text);
}

void TLumoDevice::VrednostComboChange(int index) { EditValue = static_cast<float>(index); }

void TLumoDevice::VrednostParametraChanging(int proposed)
{
    int p = proposed;
    if (p <= VrednostParametra->Minimum())
        p = VrednostParametra->Minimum() + 1;
    if (p >= VrednostParametra->Maximum())
        p = VrednostParametra->Maximum() - 1;
    VrednostParametra->SetPosition(p);
    EditValue = static_cast<float>(VrednostParametra->Position() / std::pow(10.0, EditDecimals));
    ShowEditValue();
}

void TLumoDevice::VrednostParametraMouseDown(int globalY)
{
    LastDragY = globalY;
    Dragging = true;
}

void TLumoDevice::VrednostParametraMouseMove(int globalY)
{
    if (!Dragging)
        return;
    const int delta = LastDragY - globalY;  // dragging upwards raises the value
    LastDragY = globalY;
    if (delta != 0)
        VrednostParametraChanging(VrednostParametra->Position() + delta);
    // Keep the drag going past the screen edges by moving the cursor to the other edge.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const int desktop = screen->geometry().height();
    QPoint cursor = QCursor::pos();
    if (cursor.y() <= 0) {
        QCursor::setPos(cursor.x(), desktop - 2);
        LastDragY += desktop - 2;
    } else if (cursor.y() >= desktop - 1) {
        QCursor::setPos(cursor.x(), 1);
        LastDragY -= desktop - 2;
    }
}

void TLumoDevice::VrednostParametraMouseUp() { Dragging = false; }

void TLumoDevice::PostaviBtnClick()
{
    int mode = AddressOwn;
    if (CheckBoxGrupi->isChecked())
        mode = AddressGroup;
    if (CheckBoxMrezi->isChecked())
        mode = AddressNetwork;
    WriteEditedValue(mode, VrednostEdit->text().toStdString());
    HideEditPanel();
}

void TLumoDevice::CancelBtnClick() { HideEditPanel(); }

double TruncCounts(double counts)
{
    // Values arrive as decimal texts held in single precision: 23.4 becomes 23.39999..., whose
    // 234 counts must not truncate to 233. Snap to a whole count within representation error.
    const double nearest = std::round(counts);
    if (std::fabs(counts - nearest) < 0.01)
        return nearest;
    return std::trunc(counts);
}

}  // namespace tarvo
