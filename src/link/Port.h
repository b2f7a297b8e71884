// The serial port of the bus: its name and speed settings, opening with the line format of the
// controllers (7 data bits, even parity, 1 stop bit, raw), and the handle the communication
// thread talks through.
#pragma once

#include <memory>
#include <string>

#include "link/ByteLine.h"

namespace tarvo {

// Speeds selectable by index 0..7.
extern const int BaudTable[8];
// The baud rate of a stored speed index; an index outside 0..7 gives 9600 (index 3).
int BaudForIndex(int index);

// "COMn" names /dev/ttyS(n-1); a name starting with "/" is a device path used as it is.
std::string DevicePathForPortName(const std::string& name);

// Current settings, read at start-up and changed by the options dialog.
extern std::string PortName;  // default "COM1"
extern int SpeedIndex;        // default 3

// Opens the port named by PortName at SpeedIndex; 0 on success, 1 when it cannot be opened.
// After a failed open the handle is a line on which every operation fails.
int OpenPort();
// Closes the current port (if it is open) and opens it again with the current settings.
int ReopenPort();

// The line the communication thread uses; null until the first OpenPort (running without the
// bus). The holder keeps the thread off the line while it is replaced.
class PortSlot {
public:
    // Runs one operation on the current line with the slot locked; false when there is none.
    template <class F>
    bool With(F&& f);
    bool IsOpen() const;  // a line is installed (valid or failed)
    void Install(std::unique_ptr<ByteLine> line);
    std::unique_ptr<ByteLine> Remove();
    ByteLine* Get() const;  // unlocked peek (tests)

private:
    struct Impl;
    std::shared_ptr<Impl> impl_ = MakeImpl();
    static std::shared_ptr<Impl> MakeImpl();
    void Lock() const;
    void Unlock() const;
};

// The process-wide PortHandle.
PortSlot& PortHandle();

template <class F>
bool PortSlot::With(F&& f)
{
    Lock();
    ByteLine* line = Get();
    if (!line) {
        Unlock();
        return false;
    }
    try {
        f(*line);
    } catch (...) {
        Unlock();
        throw;
    }
    Unlock();
    return true;
}

}  // namespace tarvo
