#include <vector>

std::vector<int>& Scratch() {
  thread_local std::vector<int> scratch;
  return scratch;
}
