#include "shell/DropBlocks.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

#include "base/Cp932.h"
#include "base/Exception.h"
#include "model/ExecObj.h"
#include "ui/Stream.h"

namespace lantern {

namespace {

const unsigned char* Bytes(const void* Block) { return static_cast<const unsigned char*>(Block); }

// A little-endian 32-bit field at Offset, which the caller has checked lies in the block.
std::uint32_t Field32(const unsigned char* Data, std::size_t Offset) {
  return Data[Offset] | Data[Offset + 1] << 8 | Data[Offset + 2] << 16 |
         static_cast<std::uint32_t>(Data[Offset + 3]) << 24;
}

// The first "URL=" line of the "[InternetShortcut]" section (section and key in any case),
// read a line at a time; a later section ends the search.
bool ShortcutURL(TStream& Stream, std::string& URL) {
  bool InSection = false, First = true;
  while (!Stream.AtEnd()) {
    std::string Line = ReadLine(Stream);
    // A UTF-8 signature, as some editors write, is not part of the first line.
    if (std::exchange(First, false) && Line.compare(0, 3, "\xEF\xBB\xBF") == 0) Line.erase(0, 3);
    if (!InSection) {
      // A header on the last line has nothing after it: it finds nothing.
      InSection = UpperCaseAscii(Line) == "[INTERNETSHORTCUT]";
      continue;
    }
    if (UpperCaseAscii(Line.substr(0, 4)) == "URL=") {
      URL = Line.substr(4);
      return true;
    }
    if (!Line.empty() && Line[0] == '[') return false;  // later sections are not searched
  }
  return false;
}

constexpr std::size_t DropFilesHeader = 20;  // sizeof(DROPFILES)
constexpr std::size_t WideOffset = 16;       // DROPFILES.fWide

}  // namespace

bool ReadDropFiles(const void* Block, std::size_t Size, std::vector<std::string>& List,
                   const TWideToCp932& Convert, std::vector<std::string>* Unusable) {
  const unsigned char* Data = Bytes(Block);
  if (!Data || Size < DropFilesHeader) return !List.empty();
  const std::size_t Start = Field32(Data, 0);
  const bool Wide = Field32(Data, WideOffset) != 0;
  if (Start >= Size) return !List.empty();
  if (!Wide) {
    std::size_t At = Start;
    for (;;) {
      const void* Zero = std::memchr(Data + At, 0, Size - At);
      if (!Zero) break;  // the last name has no terminator: it is not taken
      std::size_t End = static_cast<const unsigned char*>(Zero) - Data;
      if (End == At) break;  // the empty name ends the list
      List.emplace_back(reinterpret_cast<const char*>(Data + At), End - At);
      At = End + 1;
      if (At >= Size) break;
    }
    return !List.empty();
  }
  std::size_t At = Start;
  std::u16string Name;
  while (Size - At >= 2) {
    char16_t c = static_cast<char16_t>(Data[At] | Data[At + 1] << 8);
    At += 2;
    if (c != 0) {
      Name += c;
      continue;
    }
    if (Name.empty()) break;  // the empty name ends the list
    std::string Text;
    if (Convert && Convert(Name, Text))
      List.push_back(std::move(Text));
    else if (Unusable)
      Unusable->push_back(DescribeWide(Name, Convert));
    Name.clear();
  }
  // A name still open here had no terminator: it is not taken.
  return !List.empty();
}

std::string DescribeWide(const std::u16string& Wide, const TWideToCp932& Convert) {
  std::string Result;
  for (std::size_t i = 0; i < Wide.size();) {
    std::size_t Length = 1;
    char32_t Code = Wide[i];
    if (Code >= 0xD800 && Code <= 0xDBFF && i + 1 < Wide.size() && Wide[i + 1] >= 0xDC00 &&
        Wide[i + 1] <= 0xDFFF) {
      Code = 0x10000 + ((Code - 0xD800) << 10) + (Wide[i + 1] - 0xDC00);
      Length = 2;
    }
    std::string Text;
    if (Convert && Convert(Wide.substr(i, Length), Text) && Text.find('\0') == std::string::npos) {
      Result += Text;
    } else {
      char Buffer[16];
      std::snprintf(Buffer, sizeof(Buffer), "<U+%04X>", static_cast<unsigned>(Code));
      Result += Buffer;
    }
    i += Length;
  }
  return Result;
}

std::string BlockText(const void* Block, std::size_t Size) {
  const unsigned char* Data = Bytes(Block);
  if (!Data || Size == 0) return std::string();
  const void* Zero = std::memchr(Data, 0, Size);
  std::size_t End = Zero ? static_cast<const unsigned char*>(Zero) - Data : Size;
  return std::string(reinterpret_cast<const char*>(Data), End);
}

bool ContentsURL(const void* Block, std::size_t Size, std::string& URL) {
  TMemoryStream Stream(BlockText(Block, Size));
  return ShortcutURL(Stream, URL);
}

bool DescriptorName(const void* Block, std::size_t Size, std::string& Name) {
  constexpr std::size_t NameAt = 76, NameSize = 260;
  const unsigned char* Data = Bytes(Block);
  if (!Data || Size <= NameAt || Field32(Data, 0) == 0) return false;
  std::size_t Length = std::min(Size - NameAt, NameSize);
  const void* Zero = std::memchr(Data + NameAt, 0, Length);
  if (Zero) Length = static_cast<const unsigned char*>(Zero) - (Data + NameAt);
  Name.assign(reinterpret_cast<const char*>(Data + NameAt), Length);
  return true;
}

std::string LinkName(const std::string& FileName) {
  // "ｼｮｰﾄｶｯﾄ " (half-width katakana, one byte each) and "ショートカット " in CP932, written
  // as bytes so that every compiler's character set gives the same.
  static const std::string HalfWidth = "\xBC\xAE\xB0\xC4\xB6\xAF\xC4 ";
  static const std::string FullWidth = "\x83\x56\x83\x87\x81\x5B\x83\x67\x83\x4A\x83\x62\x83\x67 ";
  std::string Name = FileName;
  if (Name.compare(0, HalfWidth.size(), HalfWidth) == 0)
    Name.erase(0, HalfWidth.size());
  else if (Name.compare(0, FullWidth.size(), FullWidth) == 0)
    Name.erase(0, FullWidth.size());
  // '.' (0x2E) is never the second byte of a double-byte character, so ".url" at the end is
  // four whole characters and the cut leaves whole characters.
  if (Name.size() >= 4 && UpperCaseAscii(Name.substr(Name.size() - 4)) == ".URL")
    Name.erase(Name.size() - 4);
  return Name;
}

bool IsAcceptableURL(const std::string& URL) {
  return std::none_of(URL.begin(), URL.end(), [](char c) {
    auto Byte = static_cast<unsigned char>(c);
    return Byte < 0x20 || Byte == 0x7F;
  });
}

bool IsAcceptableLinkName(const std::string& Name) {
  // No byte below 0x20 is ever the second byte of a double-byte character.
  return std::none_of(Name.begin(), Name.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool ReadUrlFile(const std::string& FileName, std::string& URL) {
  try {
    TFileStream Stream(FileName, TFileMode::OpenRead);
    std::string Found;
    if (!ShortcutURL(Stream, Found) || !IsAcceptableURL(Found)) return false;
    URL = std::move(Found);
    return true;
  } catch (const EFileError&) {
  }
  return false;
}

}  // namespace lantern
