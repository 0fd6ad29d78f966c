#pragma once
// Engine information texts as VRL_GetDatabaseInfo hands them out.

#include <string>
#include <string_view>

namespace mowik {

// CR in front of every LF, then CR LF CR LF appended.
std::string InfoText(std::string_view engineText);

}  // namespace mowik
