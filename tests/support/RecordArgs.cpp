// A program for the launching tests: writes the folder it runs in and its arguments, one per
// line in UTF-8, to the file that the environment variable LANTERN_RECORD names.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
  wchar_t Target[MAX_PATH];
  if (!GetEnvironmentVariableW(L"LANTERN_RECORD", Target, MAX_PATH)) return 1;
  wchar_t Folder[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, Folder);
  std::wstring Text = std::wstring(Folder) + L"\n";
  for (int i = 1; i < argc; ++i) Text += std::wstring(argv[i]) + L"\n";
  int n = WideCharToMultiByte(CP_UTF8, 0, Text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string Utf8(n - 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, Text.c_str(), -1, &Utf8[0], n, nullptr, nullptr);
  // Written under another name and renamed, so that the test never reads half of it.
  std::wstring Part = std::wstring(Target) + L".part";
  HANDLE File = CreateFileW(Part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD Done;
  WriteFile(File, Utf8.data(), static_cast<DWORD>(Utf8.size()), &Done, nullptr);
  CloseHandle(File);
  MoveFileExW(Part.c_str(), Target, MOVEFILE_REPLACE_EXISTING);
  return 0;
}
