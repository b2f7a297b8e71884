// The serial port of the bus: its name and speed settings, opening with the line format of the
// controllers (7 data bits, even parity, 1 stop bit, raw), and the handle the communication
// thread talks through.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "link/ByteLine.h"

namespace tarvo {

// Speeds selectable by index 0..7.
extern const int BaudTable[8];
// The baud rate of a stored speed index; an index outside 0..7 gives 9600 (index 3).
int BaudForIndex(int index);

// "COMn" (n >= 1) names /dev/ttyS(n-1); a name starting with "/" is a device path used as it
// is; any other name is taken from /dev ("ttyUSB0" is /dev/ttyUSB0, as the port list shows it).
std::string DevicePathForPortName(const std::string& name);

// Current settings, read at start-up and changed by the options dialog.
extern std::string PortName;  // default "COM1"
extern int SpeedIndex;        // default 3

// Opens the port named by PortName at SpeedIndex, closing any port opened before; 0 on
// success, 1 when it cannot be opened (PortError() says why). After a failed open the handle
// is a line on which every write fails and every read waits out its time-out.
int OpenPort();
// Reopen from the options dialog: closes the current port (if any) and opens it again with the
// current settings. Same result as OpenPort.
int ReopenPort();
// Why the last OpenPort failed ("" after a success).
std::string PortError();

// The slot that holds the line the communication thread uses. Empty (PortHandle 0) until the
// first OpenPort: the program then runs without the bus. Each line operation runs with the slot
// locked, so replacing the line waits for the operation in progress (at most one read time-out)
// and the thread never touches a line that is being closed.
class PortSlot : public ByteLine {
public:
    // A line is installed (a working one or a failed one).
    bool Installed() const { return installed_; }
    // Frees the line in place, then installs the one `open` returns, all under the lock: the old
    // port is closed before the new one opens (a port is opened exclusively).
    void Replace(const std::function<std::unique_ptr<ByteLine>()>& open);
    void Install(std::unique_ptr<ByteLine> line);
    // Back to the empty slot.
    void Clear();

    // ByteLine, forwarded to the installed line; with none: nothing, false, 0.
    void Purge(bool tx, bool rx) override;
    bool Write(const uint8_t* data, size_t n) override;
    size_t Read(uint8_t* buf, size_t n) override;

private:
    mutable std::mutex mutex_;
    std::unique_ptr<ByteLine> line_;
    std::atomic<bool> installed_{false};
};

// The process-wide PortHandle.
PortSlot& PortHandle();

}  // namespace tarvo
