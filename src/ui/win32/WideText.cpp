#include "ui/win32/WideText.h"

#include <windows.h>

#include "base/Convert.h"
#include "base/Cp932.h"
#include "ui/win32/Handles.h"

namespace lantern {

namespace {
constexpr UINT CP_SHIFT_JIS = 932;
}

std::wstring ToWide(const std::string& Text) {
  if (Text.empty()) return std::wstring();
  int n =
      MultiByteToWideChar(CP_SHIFT_JIS, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0);
  std::wstring Result(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_SHIFT_JIS, 0, Text.data(), static_cast<int>(Text.size()), &Result[0], n);
  return Result;
}

std::string FromWide(const std::wstring& Text) {
  if (Text.empty()) return std::string();
  int n = WideCharToMultiByte(CP_SHIFT_JIS, 0, Text.data(), static_cast<int>(Text.size()), nullptr,
                              0, nullptr, nullptr);
  std::string Result(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_SHIFT_JIS, 0, Text.data(), static_cast<int>(Text.size()), &Result[0], n,
                      nullptr, nullptr);
  return Result;
}

bool FromWideExact(const std::wstring& Text, std::string& Result) {
  Result.clear();
  if (Text.empty()) return true;
  BOOL Lost = FALSE;
  int n = WideCharToMultiByte(CP_SHIFT_JIS, WC_NO_BEST_FIT_CHARS, Text.data(),
                              static_cast<int>(Text.size()), nullptr, 0, nullptr, &Lost);
  Result.assign(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_SHIFT_JIS, WC_NO_BEST_FIT_CHARS, Text.data(),
                      static_cast<int>(Text.size()), &Result[0], n, nullptr, &Lost);
  return !Lost;
}

std::string FromWide(const wchar_t* Text) { return FromWide(std::wstring(Text ? Text : L"")); }

std::string SystemErrorText(unsigned long Code) {
  TLocalHandle Buffer;  // the system allocates the text
  DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, Code, 0, reinterpret_cast<wchar_t*>(Buffer.Receive()), 0, nullptr);
  std::string Text = n ? Trim(FromWide(std::wstring(static_cast<const wchar_t*>(Buffer.Get()), n)))
                       : std::string();
  return Text.empty() ? "エラー " + IntToStr(Code) : Text;
}

}  // namespace lantern
