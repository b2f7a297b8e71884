#include "link/Bus.h"

#include <mutex>

namespace tarvo {

void SharedBus::PushFront(const Bytes& request)
{
    std::unique_lock lock(QueueLock);
    RequestQueue.push_front(request);
}

void SharedBus::PushBack(const Bytes& request)
{
    std::unique_lock lock(QueueLock);
    RequestQueue.push_back(request);
}

bool SharedBus::QueueEmpty() const
{
    std::shared_lock lock(QueueLock);
    return RequestQueue.empty();
}

bool SharedBus::PopFront(Bytes& request)
{
    std::unique_lock lock(QueueLock);
    if (RequestQueue.empty())
        return false;
    request = std::move(RequestQueue.front());
    RequestQueue.pop_front();
    return true;
}

size_t SharedBus::QueueSize() const
{
    std::shared_lock lock(QueueLock);
    return RequestQueue.size();
}

Bytes SharedBus::QueueAt(size_t i) const
{
    std::shared_lock lock(QueueLock);
    return i < RequestQueue.size() ? RequestQueue[i] : Bytes{};
}

void SharedBus::File(const Bytes& request, const Bytes& reply)
{
    std::unique_lock lock(ReplyLock);
    ReplyMap[request] = reply;
}

Bytes SharedBus::TakeReply(const Bytes& request)
{
    std::unique_lock lock(ReplyLock);
    auto it = ReplyMap.find(request);
    if (it == ReplyMap.end())
        return {};
    Bytes reply = std::move(it->second);
    ReplyMap.erase(it);
    return reply;
}

size_t SharedBus::ReplyCount() const
{
    std::shared_lock lock(ReplyLock);
    return ReplyMap.size();
}

void SharedBus::Clear()
{
    {
        std::unique_lock lock(QueueLock);
        RequestQueue.clear();
    }
    std::unique_lock lock(ReplyLock);
    ReplyMap.clear();
}

SharedBus& Bus()
{
    static SharedBus bus;
    return bus;
}

}  // namespace tarvo
