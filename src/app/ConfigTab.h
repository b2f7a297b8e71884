// The "Konfiguracija" tab: three framed grids, top to bottom, over the tables that describe the
// network: the groups (Grupe), the devices (Mreza, by group) and the recorded values of the
// device selected in the device grid (Vrednosti_Test). All three are locked (read-only, with
// disabled navigators) until the operator unlocks them; then they stay unlocked.
//
// The lookup texts come from the data module's sets: group names from ADOTableGrupe, type
// names from ADOTableUredjaji, colour names from ADOColorTable, and the parameters of the
// selected device's type from ADOStoredProc2 (Query1), which the data module reopens when the
// cursor of ADOTableMreza_Test moves to the device.
#pragma once

#include <QWidget>

#include "app/ConfigGrid.h"

namespace tarvo {

class TDModule;

// Grupe: Naziv, Adresa (the group digit of its devices' bus addresses).
class TGroupFrame : public TGridFrame {
    Q_OBJECT
public:
    TGroupFrame(TDModule& dm, QWidget* parent = nullptr);
    void Open();
    void ApplyTexts() override;

protected:
    QString CheckRow(int row) const override;

private:
    TDModule& dm_;
};

// Mreza, ordered by group: Grupa and Tip chosen from lists, Naziv, Adresa (the unit digit).
class TDeviceFrame : public TGridFrame {
    Q_OBJECT
public:
    TDeviceFrame(TDModule& dm, QWidget* parent = nullptr);
    void Open();
    void ApplyTexts() override;

protected:
    QString CheckRow(int row) const override;
    QString CheckDelete(int row) const override;

private:
    TDModule& dm_;
};

// Vrednosti_Test of one device: Mnemonik and Opis (the parameter, chosen among the parameters
// of the device's type), Naziv, Naziv Boje (the chart colour, chosen from the colour table).
class TValueFrame : public TGridFrame {
    Q_OBJECT
public:
    TValueFrame(TDModule& dm, QWidget* parent = nullptr);
    void Open();
    void ApplyTexts() override;
    // Shows the values of a device (a null id: of none).
    void ShowDevice(const QVariant& deviceId);
    QVariant Device() const { return device_; }

    struct Parameter {
        QVariant Id;
        QString Mnemonic;
        QString Description;
    };
    const std::vector<Parameter>& Parameters() const { return parameters_; }

protected:
    QString CheckRow(int row) const override;
    void PrimeRow(int row) override;
    bool CanInsert() const override { return !device_.isNull(); }

private:
    void LoadParameters();
    const Parameter* FindParameter(const QVariant& id) const;

    TDModule& dm_;
    QVariant device_;
    std::vector<Parameter> parameters_;  // of the shown device's type
    int opisColumn_ = -1;
};

class TConfigTab : public QWidget {
    Q_OBJECT
public:
    explicit TConfigTab(TDModule& dm, QWidget* parent = nullptr);

    // Reads the three tables; the database must be open. Shows the database's message and
    // returns false when a table cannot be read.
    bool Open();
    void ApplyTexts();
    void SetEditable(bool editable);
    bool Editable() const { return Groups->Editable(); }
    // Writes the rows still in editing in the three grids; false when one is refused.
    bool PostAll();

    TGroupFrame* Groups;
    TDeviceFrame* Devices;
    TValueFrame* Values;

private:
    void GroupsWritten();

    TDModule& dm_;
};

}  // namespace tarvo
