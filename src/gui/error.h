// Errors raised by the class library; their text (code page 936) is what the user reads.
#pragma once

#include <stdexcept>
#include <string>

namespace k32::gui {

class EGuiError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Replaces the first "%s" of a message pattern with a value.
std::string FormatMessage1(const std::string& pattern, const std::string& value);

}  // namespace k32::gui
