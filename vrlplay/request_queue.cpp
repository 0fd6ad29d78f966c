#include "vrlplay/request_queue.h"

#include <utility>

namespace mowik {

RequestQueue::RequestQueue(std::function<void(size_t)> countChanged)
    : countChanged_(std::move(countChanged)) {}

void RequestQueue::Append(std::unique_ptr<CRequest> request) {
  std::lock_guard<std::mutex> guard(lock_);
  list_.push_back(std::move(request));
  if (countChanged_) countChanged_(list_.size());
}

CRequest* RequestQueue::Head() {
  std::lock_guard<std::mutex> guard(lock_);
  return list_.empty() ? nullptr : list_.front().get();
}

void RequestQueue::RemoveHead() {
  std::unique_ptr<CRequest> removed;  // freed after the lock is released
  std::lock_guard<std::mutex> guard(lock_);
  if (list_.empty()) return;
  removed = std::move(list_.front());
  list_.pop_front();
  if (countChanged_) countChanged_(list_.size());
}

void RequestQueue::DiscardAll() {
  std::list<std::unique_ptr<CRequest>> removed;
  std::lock_guard<std::mutex> guard(lock_);
  removed.swap(list_);
  if (countChanged_) countChanged_(0);
}

size_t RequestQueue::Count() {
  std::lock_guard<std::mutex> guard(lock_);
  return list_.size();
}

}  // namespace mowik
