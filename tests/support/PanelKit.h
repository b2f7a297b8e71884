// Set-up shared by the headless panel tests: a clean bus and operator, a panel taken Online
// without its start-up traffic, reported values written straight into its stores, and the
// lamps and read-outs the plate shows.
#pragma once

#include <string>
#include <vector>

#include "device/DeviceCore.h"
#include "devices/ODioda.h"

namespace tarvo {
class TDisplay;
class TLumoDevice;
}  // namespace tarvo

namespace tarvo::test {

// Empties the shared bus and the scripted operator's records and script.
void ResetBusAndOperator();

// Online with nothing outstanding: the pending reads and the queued identification request
// are dropped.
void MakeOnline(DeviceCore& panel);

// Stores a reported text and value for `mnemonic`, as a read answer would. A mnemonic the
// panel's table lacks is a fatal test failure naming it.
void SetReported(DeviceCore& panel, const std::string& mnemonic, const std::string& text, float value = 0);
// The text only; the value store is left as it is.
void SetReportedText(DeviceCore& panel, const std::string& mnemonic, const std::string& text);

// The lamps as '1' (on) and '0' (off), in order.
template <class Lamps>
std::string LampPattern(const Lamps& lamps)
{
    std::string s;
    for (const TOutDioda* l : lamps)
        s += l->IsOn() ? '1' : '0';
    return s;
}

// The display's text after each of n display ticks of the panel.
std::vector<std::string> DisplayTicks(TLumoDevice& panel, const TDisplay& display, int n);

}  // namespace tarvo::test
