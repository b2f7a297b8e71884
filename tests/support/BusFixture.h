// A test fixture for device panels against the simulated bus: the real tarvo-sim on a terminal
// of its own, the port opened on it, panels the fixture owns and destroys, and polling passes
// run by hand. The test runs in a temporary folder made the current directory (the
// communication thread's traffic log goes there).
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/NDev.h"
#include "support/ScriptedOperator.h"
#include "support/SimProcess.h"

namespace tarvo::test {

class BusFixture : public ::testing::Test {
protected:
    // Destroys the panels (the last one stops the communication thread), frees the port, stops
    // the simulator and restores the current directory.
    void TearDown() override;

    // Starts tarvo-sim with "--stdin --baud 57600", `options` (such as --seed, --time-scale,
    // --link, faults) and `controllers` ("FP320@11", ...), its standard error to `stderrPath`
    // when one is given, and opens the port at 57600 baud (index 7) on the path it prints (its
    // terminal, or the --link to it). Fails fatally: call it through ASSERT_NO_FATAL_FAILURE.
    void StartBus(const std::vector<std::string>& controllers, const std::vector<std::string>& options = {},
                  const std::string& stderrPath = {});

    // A panel the fixture owns: the first one starts the communication thread.
    template <class Panel>
    Panel& AddPanel(uint8_t group, uint8_t unit)
    {
        return Adopt(std::make_unique<Panel>(nullptr, group, unit));
    }
    template <class Panel>
    Panel& Adopt(std::unique_ptr<Panel> panel)
    {
        Panel& p = *panel;
        panels_.push_back(std::move(panel));
        return p;
    }
    // Destroys the panels in the order they were added.
    void RemovePanels();
    std::vector<TLumoDevice*> Panels() const;

    // One polling pass and display tick of each panel in turn, each waited for (PanelPass).
    // A test with a loop of its own overrides it.
    virtual void Pass();
    // Passes until `done` holds after one, or `timeout` has passed; the final value of `done`.
    bool Until(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(15));
    static bool Online(const DeviceCore& panel);
    bool AllOnline() const;
    // Each panel's state and label, for failure messages.
    std::string States() const;

    // A simulator command that must answer "ok".
    void Command(const std::string& line);
    // A path in the temporary folder.
    std::string InDir(const std::string& name) const;
    static ScriptedOperator& Op() { return ScriptedOperator::Instance(); }

    std::unique_ptr<SimProcess> sim;

private:
    QTemporaryDir dir_;
    QString savedDir_;
    std::vector<std::unique_ptr<TLumoDevice>> panels_;
};

}  // namespace tarvo::test
