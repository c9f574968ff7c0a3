// The error type a search hit shows, chosen by where the search text was found.
#pragma once

#include <cstdint>
#include <string>

namespace engine {

// "Missing or Invalid Key Name" (0), "... Value Name" (1), "... Path" (2);
// the empty text for any other value.
std::string ErrorKind(std::int32_t lFound);

}  // namespace engine
