// An error that ends the walk of one key. Its number becomes the walk's stop
// reason; a handler of the search events may throw it to end the walk with a
// number of its own.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace engine {

class SearchError : public std::runtime_error {
 public:
  SearchError(std::int32_t number, const std::string& what) : std::runtime_error(what), number_(number) {}
  std::int32_t Number() const { return number_; }

 private:
  std::int32_t number_;
};

// Numbers for errors that carry none of their own.
constexpr std::int32_t kErrorOutOfMemory = 7;
constexpr std::int32_t kErrorGeneral = 5;

}  // namespace engine
