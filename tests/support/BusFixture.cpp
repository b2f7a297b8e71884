#include "support/BusFixture.h"

#include <QDir>

#include "link/Bus.h"
#include "link/Comm.h"
#include "link/Port.h"
#include "support/PanelPasses.h"

namespace tarvo::test {

void BusFixture::StartBus(const std::vector<std::string>& controllers, const std::vector<std::string>& options,
                          const std::string& stderrPath)
{
    ASSERT_TRUE(dir_.isValid());
    if (savedDir_.isEmpty())
        savedDir_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    Bus().Clear();
    Op().Clear();
    std::vector<std::string> args{"--stdin", "--baud", "57600"};
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), controllers.begin(), controllers.end());
    sim = std::make_unique<SimProcess>(args, stderrPath);
    const std::string path = sim->ReadLine();
    ASSERT_FALSE(path.empty()) << "tarvo-sim did not start";
    PortName = path;
    SpeedIndex = 7;
    ASSERT_EQ(OpenPort(), 0) << PortError();
}

void BusFixture::TearDown()
{
    RemovePanels();
    EXPECT_EQ(TheComm(), nullptr);  // the last panel stopped the communication thread
    PortHandle().Clear();
    sim.reset();
    Bus().Clear();
    if (!savedDir_.isEmpty())
        QDir::setCurrent(savedDir_);
}

void BusFixture::RemovePanels()
{
    for (auto& panel : panels_)
        panel.reset();
    panels_.clear();
}

std::vector<TLumoDevice*> BusFixture::Panels() const
{
    std::vector<TLumoDevice*> out;
    for (const auto& panel : panels_)
        out.push_back(panel.get());
    return out;
}

void BusFixture::Pass()
{
    for (const auto& panel : panels_)
        PanelPass(*panel);
}

bool BusFixture::Until(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        Pass();
        if (done())
            return true;
    }
    return done();
}

bool BusFixture::Online(const DeviceCore& panel)
{
    return panel.State == DeviceCore::StateOnline && !panel.LabelVisible();
}

bool BusFixture::AllOnline() const
{
    for (const auto& panel : panels_)
        if (!Online(*panel))
            return false;
    return true;
}

std::string BusFixture::States() const
{
    std::string out;
    for (const auto& panel : panels_) {
        out += out.empty() ? "" : ", ";
        out += "state " + std::to_string(int(panel->State)) + " label " + panel->LabelText();
    }
    return out;
}

void BusFixture::Command(const std::string& line)
{
    ASSERT_EQ(sim->Command(line), "ok") << line;
}

std::string BusFixture::InDir(const std::string& name) const
{
    return dir_.filePath(QString::fromStdString(name)).toStdString();
}

}  // namespace tarvo::test
