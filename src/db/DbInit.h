// Making a new measurement database: every table, index and stored query, the device types
// (Uredjaji), the parameter catalogue taken from the static tables of the thirteen types
// (Parametri: one row per parameter of each type; DeviceParameters: the type each belongs
// to), the named colours, and on request a fixed demo network. Used by tarvo-dbinit and by
// the tests.
//
// Demo network:
//   group 1 "Susara 1", address 1: FP320 "Programator" unit 1, KV710 "Klima komora" unit 2,
//                                   LX410i "Indikator" unit 3
//   group 2 "Komora 2", address 2: KV720 "Regulator vlage" unit 1, GR310 "Regulator pec"
//                                   unit 2, HW600 "Merac vlage" unit 3
//   recorded values, each with its own colour: FP320 PV, SP, 2PV; KV710 1PV, 2PV; LX410i PV;
//   KV720 1PV, 2PV; GR310 PV; HW600 1PV, 2PV
//   report "Susara 1 - temperature" (0 to 150) with the five FP320 and KV710 values.
#pragma once

#include <QString>

namespace tarvo::dbinit {

// Creates the database file `path`. Refuses (DbError) when it exists, unless `force`, in
// which case the old file is replaced only once the new one is complete.
void CreateDatabase(const QString& path, bool demo, bool force);

// Writes a history for the demo: one permanent measurement row per recorded value and minute
// over the last `hours` hours, with values that wander plausibly (status 0). Returns the
// number of rows written.
int SeedHistory(const QString& path, int hours);

// The simulated bus arguments of a database: one TYPE@GU per device in network order,
// TYPE the model name, G the group's address, U the device's address ("FP320@11 KV710@12").
QString SimArgs(const QString& path);

}  // namespace tarvo::dbinit
