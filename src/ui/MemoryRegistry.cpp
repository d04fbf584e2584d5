#include "ui/MemoryRegistry.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/Cp932.h"
#include "base/Path.h"

namespace lantern {

std::string TMemoryRegistry::Normal(const std::string& Key) {
  return UpperCaseAscii(ExcludeTrailingBackslash(Key));
}

bool TMemoryRegistry::KeyExists(const std::string& Key) { return FKeys.count(Normal(Key)) > 0; }

void TMemoryRegistry::CreateKey(const std::string& Key) {
  std::string Path = Normal(Key);
  // Every parent exists as well.
  for (std::size_t i = 0; i < Path.size(); ++i)
    if (Path[i] == '\\' && LastDelimiter("\\", Path.substr(0, i + 1)) == i)
      FKeys[Path.substr(0, i)];
  FKeys[Path];
}

void TMemoryRegistry::DeleteKey(const std::string& Key) {
  std::string Path = Normal(Key);
  for (auto It = FKeys.begin(); It != FKeys.end();)
    if (It->first == Path || It->first.compare(0, Path.size() + 1, Path + "\\") == 0)
      It = FKeys.erase(It);
    else
      ++It;
}

void TMemoryRegistry::DeleteValue(const std::string& Key, const std::string& Name) {
  auto K = FKeys.find(Normal(Key));
  if (K != FKeys.end()) K->second.erase(UpperCaseAscii(Name));
}

TMemoryRegistry::TValue* TMemoryRegistry::Find(const std::string& Key, const std::string& Name,
                                               TRegDataType Type) {
  auto K = FKeys.find(Normal(Key));
  if (K == FKeys.end()) return nullptr;
  auto V = K->second.find(UpperCaseAscii(Name));
  if (V == K->second.end() || (Type != TRegDataType::None && V->second.Type != Type))
    return nullptr;
  return &V->second;
}

TRegDataType TMemoryRegistry::ValueType(const std::string& Key, const std::string& Name) {
  TValue* v = Find(Key, Name, TRegDataType::None);
  return v ? v->Type : TRegDataType::None;
}

bool TMemoryRegistry::ReadDWord(const std::string& Key, const std::string& Name,
                                std::uint32_t& Value) {
  TValue* v = Find(Key, Name, TRegDataType::DWord);
  if (!v || v->Bytes.size() != 4) return false;
  std::memcpy(&Value, v->Bytes.data(), 4);
  return true;
}

bool TMemoryRegistry::ReadString(const std::string& Key, const std::string& Name,
                                 std::string& Value) {
  TValue* v = Find(Key, Name, TRegDataType::String);
  if (!v) return false;
  Value = v->Bytes;
  return true;
}

bool TMemoryRegistry::ReadBinary(const std::string& Key, const std::string& Name,
                                 std::string& Bytes) {
  TValue* v = Find(Key, Name, TRegDataType::Binary);
  if (!v) return false;
  Bytes = v->Bytes;
  return true;
}

void TMemoryRegistry::WriteRaw(const std::string& Key, const std::string& Name, TRegDataType Type,
                               const std::string& Bytes) {
  CreateKey(Key);
  TValues& Values = FKeys[Normal(Key)];
  auto It = Values.find(UpperCaseAscii(Name));
  int Order = It == Values.end() ? ++FOrder : It->second.Order;
  Values[UpperCaseAscii(Name)] = TValue{Type, Bytes, Order};
}

void TMemoryRegistry::WriteDWord(const std::string& Key, const std::string& Name,
                                 std::uint32_t Value) {
  WriteRaw(Key, Name, TRegDataType::DWord, std::string(reinterpret_cast<char*>(&Value), 4));
}

void TMemoryRegistry::WriteString(const std::string& Key, const std::string& Name,
                                  const std::string& Value) {
  WriteRaw(Key, Name, TRegDataType::String, Value);
}

void TMemoryRegistry::WriteBinary(const std::string& Key, const std::string& Name,
                                  const std::string& Bytes) {
  WriteRaw(Key, Name, TRegDataType::Binary, Bytes);
}

std::string TMemoryRegistry::ValueNames(const std::string& Key) {
  auto K = FKeys.find(Normal(Key));
  if (K == FKeys.end()) return std::string();
  std::vector<std::pair<int, std::string>> Ordered;
  for (auto& v : K->second) Ordered.emplace_back(v.second.Order, v.first);
  std::sort(Ordered.begin(), Ordered.end());
  std::string Result;
  for (auto& o : Ordered) Result += (Result.empty() ? "" : ",") + o.second;
  return Result;
}

}  // namespace lantern
