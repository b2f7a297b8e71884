// The thirteen controller types: their numbers, identification codes, parameter tables, group
// captions and the choice lists and sensor ranges they share. Static data, written once and
// used by the program, the database tool and the simulated bus.
#pragma once

#include <string>
#include <vector>

#include "device/ParamDesc.h"

namespace tarvo {

// Range of a measuring input in display counts (decimal point ignored) and the decimals the
// controller shows for that sensor.
struct SensorRange {
    int Max;
    int Min;
    int Decimals;
};

struct DeviceTypeInfo {
    const char* ClassName;      // "TFP320"
    const char* Model;          // "FP320"
    const char* Description;    // "FP320 programmer-regulator with two inputs"
    int ID_Tip;                 // type number in the device table of the database
    int TypeId;                 // number the panel keeps in its TypeId field
    const char* IdentCodes[2];  // value texts of "II" the type accepts (second may be null)
    int Picture;                // front-plate picture index (-1: picture file)
    const ParamDesc* Params;
    int ParamCount;
    const char* const* GroupCaptions;  // "-" is a menu separator
    int GroupCount;
    const SensorRange* Sensors;  // indexed by the value of "SN"; null when the type has none
    int SensorCount;

    const ParamDesc& Param(int i) const { return Params[i]; }
    // Index of the parameter with this mnemonic, or -1.
    int IndexOf(const std::string& mnemonic) const;
    bool IsIdentity(const std::string& code) const;
};

// All thirteen types in type-table order (LX410i, KV710, GR220, FP320, CQ50, GR310, GR210,
// SVB, SVB16, HW600, RMV_Disp, GR310S, KV720).
const std::vector<const DeviceTypeInfo*>& AllTypes();
// The type of a device-table type number (ID_Tip 0..12), or null.
const DeviceTypeInfo* TypeByIdTip(int idTip);
// The type of a model name ("FP320", case-insensitive), or null.
const DeviceTypeInfo* TypeByModel(const std::string& model);

// The three-row table of the base panel ("II", "SW", "VO").
extern const ParamDesc BaseParams[3];

// Choice lists shared by several tables (null-terminated).
extern const char* const FilterChoices[];
extern const char* const ColdJunctionChoices[];
extern const char* const SensorChoices[];
extern const char* const LinearInputChoices[];
extern const char* const AlarmTypeChoices[];
extern const char* const RelayChoices[];
extern const char* const ProgramEndChoices[];

// Sensor range table shared by FP320, GR220, GR310, GR210 and GR310S; and CQ50's own.
extern const SensorRange SensorRanges[9];
extern const SensorRange CQ50SensorRanges[9];

}  // namespace tarvo
