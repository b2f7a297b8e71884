// The parameter tables and group caption lists of the thirteen controller types, and the
// short value-kind names their rows use. Reach them through the type table (TypeTable.h).
#pragma once

#include <cstdint>

#include "devices/TypeTable.h"

namespace tarvo::tables {

constexpr int32_t Hex = 0;  // ">" and four hex digits
constexpr int32_t Num = 1;  // decimal number
constexpr int32_t Txt = 2;  // free text

extern const ParamDesc LX410iParams[19];
extern const char* const LX410iGroups[6];
extern const ParamDesc KV710Params[37];
extern const char* const KV710Groups[6];
extern const ParamDesc GR220Params[50];
extern const char* const GR220Groups[7];
extern const ParamDesc FP320Params[50];
extern const char* const FP320Groups[7];
extern const ParamDesc CQ50Params[176];
extern const char* const CQ50Groups[18];
extern const ParamDesc GR310Params[57];
extern const char* const GR310Groups[7];
extern const ParamDesc GR210Params[46];
extern const char* const GR210Groups[6];
extern const ParamDesc SVBParams[26];
extern const char* const SVBGroups[6];
extern const ParamDesc SVB16Params[42];
extern const char* const SVB16Groups[6];
extern const ParamDesc HW600Params[5];
extern const char* const HW600Groups[3];
extern const ParamDesc RMV_DispParams[28];
extern const char* const RMV_DispGroups[7];
extern const ParamDesc GR310SParams[56];
extern const char* const GR310SGroups[7];
extern const ParamDesc KV720Params[41];
extern const char* const KV720Groups[5];

}  // namespace tarvo::tables
