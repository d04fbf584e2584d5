// The current user's registry through the W functions, names and strings from CP932.
#include <windows.h>

#include <cstring>

#include "base/Exception.h"
#include "ui/Registry.h"
#include "ui/win32/Handles.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

// One key of the current user, open for as long as its holder lives; empty when it cannot be
// opened (or made).
TKeyHandle OpenKey(const std::string& Path, bool Create) {
  std::wstring Wide = ToWide(Path);
  TKeyHandle Key;
  LONG rc = Create ? RegCreateKeyExW(HKEY_CURRENT_USER, Wide.c_str(), 0, nullptr, 0,
                                     KEY_READ | KEY_WRITE, nullptr, Key.Receive(), nullptr)
                   : RegOpenKeyExW(HKEY_CURRENT_USER, Wide.c_str(), 0, KEY_READ, Key.Receive());
  if (rc != ERROR_SUCCESS) Key.Take();  // nothing was opened
  return Key;
}

// The raw value, when it exists: its type and bytes.
bool Query(const std::string& Key, const std::string& Name, DWORD& Type, std::string& Bytes) {
  TKeyHandle k = OpenKey(Key, false);
  if (!k) return false;
  std::wstring WideName = ToWide(Name);
  DWORD Size = 0;
  if (RegQueryValueExW(k.Get(), WideName.c_str(), nullptr, &Type, nullptr, &Size) != ERROR_SUCCESS)
    return false;
  Bytes.assign(Size, '\0');
  if (Size && RegQueryValueExW(k.Get(), WideName.c_str(), nullptr, &Type,
                               reinterpret_cast<BYTE*>(&Bytes[0]), &Size) != ERROR_SUCCESS)
    return false;
  Bytes.resize(Size);
  return true;
}

void Set(const std::string& Key, const std::string& Name, DWORD Type, const void* Data,
         DWORD Size) {
  TKeyHandle k = OpenKey(Key, true);
  if (!k || RegSetValueExW(k.Get(), ToWide(Name).c_str(), 0, Type, static_cast<const BYTE*>(Data),
                           Size) != ERROR_SUCCESS)
    throw ERegistryError(CannotWriteRegistryText(Key, Name));
}

class TWin32Registry : public TRegistry {
 public:
  bool KeyExists(const std::string& Key) override { return static_cast<bool>(OpenKey(Key, false)); }

  void CreateKey(const std::string& Key) override {
    if (!OpenKey(Key, true)) throw ERegistryError(CannotCreateKeyText(Key));
  }

  void DeleteKey(const std::string& Key) override {
    RegDeleteTreeW(HKEY_CURRENT_USER, ToWide(Key).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, ToWide(Key).c_str());
  }

  void DeleteValue(const std::string& Key, const std::string& Name) override {
    TKeyHandle k;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(Key).c_str(), 0, KEY_SET_VALUE, k.Receive()) !=
        ERROR_SUCCESS) {
      k.Take();  // nothing was opened
      return;
    }
    LONG rc = RegDeleteValueW(k.Get(), ToWide(Name).c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
      throw ERegistryError(CannotWriteRegistryText(Key, Name));
  }

  TRegDataType ValueType(const std::string& Key, const std::string& Name) override {
    DWORD Type;
    std::string Bytes;
    if (!Query(Key, Name, Type, Bytes)) return TRegDataType::None;
    switch (Type) {
      case REG_DWORD: return TRegDataType::DWord;
      case REG_SZ: return TRegDataType::String;
      case REG_BINARY: return TRegDataType::Binary;
      default: return TRegDataType::Other;
    }
  }

  bool ReadDWord(const std::string& Key, const std::string& Name, std::uint32_t& Value) override {
    DWORD Type;
    std::string Bytes;
    if (!Query(Key, Name, Type, Bytes) || Type != REG_DWORD || Bytes.size() != 4) return false;
    std::memcpy(&Value, Bytes.data(), 4);
    return true;
  }

  bool ReadString(const std::string& Key, const std::string& Name, std::string& Value) override {
    DWORD Type;
    std::string Bytes;
    if (!Query(Key, Name, Type, Bytes) || (Type != REG_SZ && Type != REG_EXPAND_SZ)) return false;
    std::wstring Wide(reinterpret_cast<const wchar_t*>(Bytes.data()), Bytes.size() / 2);
    // The stored text may or may not end in a null character.
    Wide.resize(std::wcslen(Wide.c_str()));
    Value = FromWide(Wide);
    return true;
  }

  bool ReadBinary(const std::string& Key, const std::string& Name, std::string& Bytes) override {
    DWORD Type;
    std::string Raw;
    if (!Query(Key, Name, Type, Raw) || Type != REG_BINARY) return false;
    Bytes = Raw;
    return true;
  }

  void WriteDWord(const std::string& Key, const std::string& Name, std::uint32_t Value) override {
    DWORD v = Value;
    Set(Key, Name, REG_DWORD, &v, sizeof(v));
  }

  void WriteString(const std::string& Key, const std::string& Name,
                   const std::string& Value) override {
    std::wstring Wide = ToWide(Value);
    Set(Key, Name, REG_SZ, Wide.c_str(), static_cast<DWORD>((Wide.size() + 1) * sizeof(wchar_t)));
  }

  void WriteBinary(const std::string& Key, const std::string& Name,
                   const std::string& Bytes) override {
    Set(Key, Name, REG_BINARY, Bytes.data(), static_cast<DWORD>(Bytes.size()));
  }
};

}  // namespace

TRegistry& PlatformRegistry() {
  static TWin32Registry Instance;
  return Instance;
}

}  // namespace lantern
