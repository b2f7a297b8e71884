#include "support/PanelKit.h"

#include <gtest/gtest.h>

#include "device/NDev.h"
#include "devices/Display.h"
#include "link/Bus.h"
#include "support/ScriptedOperator.h"

namespace tarvo::test {

void ResetBusAndOperator()
{
    Bus().Clear();
    ScriptedOperator::Instance().Clear();
}

void MakeOnline(DeviceCore& panel)
{
    panel.State = DeviceCore::StateOnline;
    panel.PendingReads.clear();
    Bus().Clear();
}

void SetReported(DeviceCore& panel, const std::string& mnemonic, const std::string& text, float value)
{
    const int i = panel.IndexOf(mnemonic);
    ASSERT_GE(i, 0) << "no parameter \"" << mnemonic << "\" in the panel's table";
    panel.ValueTexts[static_cast<size_t>(i)] = text;
    panel.Values[static_cast<size_t>(i)] = value;
}

void SetReportedText(DeviceCore& panel, const std::string& mnemonic, const std::string& text)
{
    const int i = panel.IndexOf(mnemonic);
    ASSERT_GE(i, 0) << "no parameter \"" << mnemonic << "\" in the panel's table";
    panel.ValueTexts[static_cast<size_t>(i)] = text;
}

std::vector<std::string> DisplayTicks(TLumoDevice& panel, const TDisplay& display, int n)
{
    std::vector<std::string> shown;
    for (int i = 0; i < n; ++i) {
        panel.ShowValues();
        shown.push_back(display.Text());
    }
    return shown;
}

}  // namespace tarvo::test
