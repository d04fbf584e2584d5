#pragma once
#include <string>

namespace lantern {
// The bytes of a file of tests/data.
std::string TestData(const std::string& Name);
}  // namespace lantern
