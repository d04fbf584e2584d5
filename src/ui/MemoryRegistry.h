#pragma once
// A registry held in memory: the registry of the platforms that have none, and the tests'.
#include <map>
#include <string>

#include "ui/Registry.h"

namespace lantern {

class TMemoryRegistry : public TRegistry {
 public:
  bool KeyExists(const std::string& Key) override;
  void CreateKey(const std::string& Key) override;
  void DeleteKey(const std::string& Key) override;
  void DeleteValue(const std::string& Key, const std::string& Name) override;
  TRegDataType ValueType(const std::string& Key, const std::string& Name) override;
  bool ReadDWord(const std::string& Key, const std::string& Name, std::uint32_t& Value) override;
  bool ReadString(const std::string& Key, const std::string& Name, std::string& Value) override;
  bool ReadBinary(const std::string& Key, const std::string& Name, std::string& Bytes) override;
  void WriteDWord(const std::string& Key, const std::string& Name, std::uint32_t Value) override;
  void WriteString(const std::string& Key, const std::string& Name,
                   const std::string& Value) override;
  void WriteBinary(const std::string& Key, const std::string& Name,
                   const std::string& Bytes) override;

  // Any type, for tests that plant values of unexpected types.
  void WriteRaw(const std::string& Key, const std::string& Name, TRegDataType Type,
                const std::string& Bytes);
  // The names of the values of a key, in the order they were first written.
  std::string ValueNames(const std::string& Key);

 private:
  struct TValue {
    TRegDataType Type;
    std::string Bytes;
    int Order;
  };
  using TValues = std::map<std::string, TValue>;  // by upper-case name
  static std::string Normal(const std::string& Key);
  TValue* Find(const std::string& Key, const std::string& Name, TRegDataType Type);

  std::map<std::string, TValues> FKeys;  // by normalised path; parents are keys too
  int FOrder = 0;
};

}  // namespace lantern
