// The structures shared by the user-interface thread and the communication thread:
// the request queue and the reply map, each behind its own multi-reader/single-writer lock.
// The two locks are never held together.
#pragma once

#include <deque>
#include <map>
#include <shared_mutex>

#include "link/Codec.h"

namespace tarvo {

class SharedBus {
public:
    // Producers: writes, identification and retried writes go to the front; routine and
    // retried reads to the back.
    void PushFront(const Bytes& request);
    void PushBack(const Bytes& request);
    bool QueueEmpty() const;
    // Copies the front request out and removes it; false when the queue is empty.
    bool PopFront(Bytes& request);
    size_t QueueSize() const;
    Bytes QueueAt(size_t i) const;  // for tests and diagnostics

    // Stores a reply under its request, replacing any reply already there.
    void File(const Bytes& request, const Bytes& reply);
    // The only way a reply leaves the map: copy it out and erase it; empty when absent.
    Bytes TakeReply(const Bytes& request);
    size_t ReplyCount() const;

    // Empties both structures (tests only; the program never clears them).
    void Clear();

    std::deque<Bytes> RequestQueue;
    mutable std::shared_mutex QueueLock;
    std::map<Bytes, Bytes> ReplyMap;
    mutable std::shared_mutex ReplyLock;
};

// The process-wide instance every device panel and the communication thread use.
SharedBus& Bus();

}  // namespace tarvo
