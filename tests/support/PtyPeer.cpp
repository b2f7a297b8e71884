#include "support/PtyPeer.h"

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace tarvo::test {

PtyPeer::PtyPeer(Responder respond) : respond_(std::move(respond))
{
    char name[128];
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    path_ = name;
    thread_ = std::thread([this] { Serve(); });
}

PtyPeer::~PtyPeer() { Destroy(); }

void PtyPeer::SetResponder(Responder respond)
{
    std::lock_guard lock(mutex_);
    respond_ = std::move(respond);
}

std::vector<Bytes> PtyPeer::Requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

void PtyPeer::Send(const Bytes& bytes)
{
    if (master_ >= 0 && !bytes.empty())
        (void)!::write(master_, bytes.data(), bytes.size());
}

void PtyPeer::Destroy()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = slave_ = -1;
}

void PtyPeer::Serve()
{
    Bytes pending;
    while (!stop_) {
        pollfd p{master_, POLLIN, 0};
        if (poll(&p, 1, 10) <= 0 || !(p.revents & POLLIN))
            continue;
        uint8_t buf[256];
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0)
            continue;
        pending.insert(pending.end(), buf, buf + n);
        Extract(pending);
    }
}

// Splits complete frames off the front: a read request ends with ENQ, a write request with
// ETX and its block check.
void PtyPeer::Extract(Bytes& pending)
{
    for (;;) {
        const auto eot = std::find(pending.begin(), pending.end(), EOT);
        pending.erase(pending.begin(), eot);
        if (pending.size() < 6)
            return;
        size_t end = 0;
        if (pending[5] == STX) {
            const auto etx = std::find(pending.begin() + 6, pending.end(), ETX);
            if (etx == pending.end() || etx + 1 == pending.end())
                return;
            end = static_cast<size_t>(etx - pending.begin()) + 2;
        } else {
            const auto enq = std::find(pending.begin() + 5, pending.end(), ENQ);
            if (enq == pending.end())
                return;
            end = static_cast<size_t>(enq - pending.begin()) + 1;
        }
        const Bytes request(pending.begin(), pending.begin() + static_cast<long>(end));
        pending.erase(pending.begin(), pending.begin() + static_cast<long>(end));
        Bytes answer;
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
            if (respond_)
                answer = respond_(request);
        }
        Send(answer);
    }
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return done();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace tarvo::test
