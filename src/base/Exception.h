#pragma once
// The program's refusal: an exception that carries its fixed text (CP932 bytes).
#include <stdexcept>
#include <string>

namespace lantern {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& Message) : std::runtime_error(Message) {}
  std::string Message() const { return what(); }
};

// Text that is not a number where a number was expected.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A file that could not be opened, created, written or put in place.
class EFileError : public Exception {
 public:
  using Exception::Exception;
};

// A registry key or value that could not be created or written.
class ERegistryError : public Exception {
 public:
  using Exception::Exception;
};

// An operation that the object's state does not allow.
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace lantern
