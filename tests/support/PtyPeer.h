// The far end of a real pseudo-terminal, playing the bus: the code under test opens the slave
// device by its path; the peer reads complete request frames on the master side and writes
// whatever its responder returns (nothing for an empty answer).
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/Codec.h"

namespace tarvo::test {

class PtyPeer {
public:
    using Responder = std::function<Bytes(const Bytes& request)>;

    explicit PtyPeer(Responder respond = {});
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    const std::string& Path() const { return path_; }
    int Master() const { return master_; }
    // The peer's own descriptor of the slave side (its termios are the device's).
    int Slave() const { return slave_; }
    void SetResponder(Responder respond);
    // Every complete request frame received so far.
    std::vector<Bytes> Requests() const;
    // Writes raw bytes to the line (as a controller or foreign traffic would).
    void Send(const Bytes& bytes);
    // Closes both ends: the device disappears, as a pulled-out adapter does.
    void Destroy();

private:
    void Serve();
    void Extract(Bytes& pending);

    int master_ = -1;
    int slave_ = -1;  // kept open so the master never sees a hang-up between users
    std::string path_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    Responder respond_;
    std::vector<Bytes> requests_;
    std::thread thread_;
};

// Polls `done` every few milliseconds until it holds or `timeout` has passed; its final value.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace tarvo::test
