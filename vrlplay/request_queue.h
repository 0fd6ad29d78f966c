#pragma once
// The player's request queue, shared by the callers' threads (append, count) and the play
// thread (head, remove, discard all). One lock is held for each list operation only, never
// while a request is handled.

#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <mutex>

#include "vrlplay/request.h"

namespace mowik {

class RequestQueue {
 public:
  // countChanged runs under the queue's lock after every change with the new count; it must
  // be quick and must not touch the queue (it sets or resets events).
  explicit RequestQueue(std::function<void(size_t)> countChanged = {});

  void Append(std::unique_ptr<CRequest> request);
  // The head request, or null. It stays valid until the play thread removes it: only that
  // thread removes or discards.
  CRequest* Head();
  void RemoveHead();
  void DiscardAll();
  size_t Count();

 private:
  std::mutex lock_;
  std::list<std::unique_ptr<CRequest>> list_;
  std::function<void(size_t)> countChanged_;
};

}  // namespace mowik
