#include "link/Port.h"

#include <cctype>

#include "link/SerialPort.h"

namespace tarvo {

const int BaudTable[8] = {1200, 2400, 4800, 9600, 14400, 19200, 28800, 57600};

std::string PortName = "COM1";
int SpeedIndex = 3;

namespace {

std::mutex errorMutex;
std::string lastError;

void SetPortError(const std::string& text)
{
    std::lock_guard lock(errorMutex);
    lastError = text;
}

}  // namespace

int BaudForIndex(int index)
{
    if (index < 0 || index > 7)
        index = 3;
    return BaudTable[index];
}

std::string DevicePathForPortName(const std::string& name)
{
    if (!name.empty() && name[0] == '/')
        return name;
    if (name.size() > 3 && std::toupper(static_cast<unsigned char>(name[0])) == 'C' &&
        std::toupper(static_cast<unsigned char>(name[1])) == 'O' &&
        std::toupper(static_cast<unsigned char>(name[2])) == 'M') {
        const std::string digits = name.substr(3);
        bool allDigits = digits.size() <= 4;
        for (char c : digits)
            allDigits = allDigits && std::isdigit(static_cast<unsigned char>(c));
        if (allDigits && std::stoi(digits) >= 1)
            return "/dev/ttyS" + std::to_string(std::stoi(digits) - 1);
    }
    return "/dev/" + name;
}

int OpenPort()
{
    const std::string path = DevicePathForPortName(PortName);
    const int baud = BaudForIndex(SpeedIndex);
    bool ok = false;
    std::string error;
    PortHandle().Replace([&] {
        auto line = std::make_unique<SerialLine>(path, baud);
        ok = line->IsOpen();
        error = ok ? std::string() : path + ": " + line->Error();
        return line;
    });
    SetPortError(error);
    return ok ? 0 : 1;
}

int ReopenPort()
{
    // OpenPort already closes the port in place first; a failed line has nothing to close.
    return OpenPort();
}

std::string PortError()
{
    std::lock_guard lock(errorMutex);
    return lastError;
}

void PortSlot::Replace(const std::function<std::unique_ptr<ByteLine>()>& open)
{
    std::lock_guard lock(mutex_);
    line_.reset();
    installed_ = false;
    line_ = open();
    installed_ = line_ != nullptr;
}

void PortSlot::Install(std::unique_ptr<ByteLine> line)
{
    std::lock_guard lock(mutex_);
    line_ = std::move(line);
    installed_ = line_ != nullptr;
}

void PortSlot::Clear() { Install(nullptr); }

void PortSlot::Purge(bool tx, bool rx)
{
    std::lock_guard lock(mutex_);
    if (line_)
        line_->Purge(tx, rx);
}

bool PortSlot::Write(const uint8_t* data, size_t n)
{
    std::lock_guard lock(mutex_);
    return line_ && line_->Write(data, n);
}

size_t PortSlot::Read(uint8_t* buf, size_t n)
{
    std::lock_guard lock(mutex_);
    return line_ ? line_->Read(buf, n) : 0;
}

PortSlot& PortHandle()
{
    static PortSlot slot;
    return slot;
}

}  // namespace tarvo
