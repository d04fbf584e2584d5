#pragma once
// The current user's registry (HKEY_CURRENT_USER), one narrow interface. Key paths are
// '\'-separated and relative to the current user; a trailing '\' is allowed. Names of keys
// and values are compared without regard to ASCII case, as Windows does.
#include <cstdint>
#include <string>

namespace lantern {

enum class TRegDataType { None, DWord, String, Binary, Other };

class TRegistry {
 public:
  virtual ~TRegistry() = default;
  virtual bool KeyExists(const std::string& Key) = 0;
  // Creates the key with its missing parents; raises ERegistryError when it cannot.
  virtual void CreateKey(const std::string& Key) = 0;
  // Deletes the key with everything below it; nothing when it does not exist.
  virtual void DeleteKey(const std::string& Key) = 0;
  // Deletes one value; nothing when it or its key does not exist. Raises ERegistryError when
  // an existing value cannot be deleted.
  virtual void DeleteValue(const std::string& Key, const std::string& Name) = 0;
  // TRegDataType::None when the key or the value does not exist.
  virtual TRegDataType ValueType(const std::string& Key, const std::string& Name) = 0;
  // False, leaving Value alone, when the value is missing or of another type.
  virtual bool ReadDWord(const std::string& Key, const std::string& Name, std::uint32_t& Value) = 0;
  virtual bool ReadString(const std::string& Key, const std::string& Name, std::string& Value) = 0;
  virtual bool ReadBinary(const std::string& Key, const std::string& Name, std::string& Bytes) = 0;
  // Create the key when needed; raise ERegistryError when the value cannot be written.
  virtual void WriteDWord(const std::string& Key, const std::string& Name, std::uint32_t Value) = 0;
  virtual void WriteString(const std::string& Key, const std::string& Name,
                           const std::string& Value) = 0;
  virtual void WriteBinary(const std::string& Key, const std::string& Name,
                           const std::string& Bytes) = 0;
};

TRegistry& Registry();
TRegistry* SetRegistry(TRegistry* Value);  // nullptr: the platform's own again; returns the old one
TRegistry& PlatformRegistry();

std::string CannotWriteRegistryText(const std::string& Key, const std::string& Name);
std::string CannotCreateKeyText(const std::string& Key);

}  // namespace lantern
