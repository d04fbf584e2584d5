#pragma once
// A dragged data object made of hand-made blocks, and the blocks themselves: DROPFILES lists
// in either width, a file group descriptor, an internet shortcut's "FileContents".
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "shell/DropTarget.h"

namespace lantern {

class TFakeDropData : public TDropData {
 public:
  struct TOffer {
    TGet Get = TGet::Global;
    std::string Block;
  };
  // Offers Block in Format (listed by the enumeration too).
  TFakeDropData& Offer(unsigned Format, std::string Block, TGet Get = TGet::Global) {
    FOffers[Format] = {Get, std::move(Block)};
    TFormatEtc F;
    F.Format = Format;
    Enumerated.push_back(F);
    return *this;
  }
  bool QueryGetData(const TFormatEtc& Format) override {
    Asked.push_back(Format.Format);
    return FOffers.count(Format.Format) && Format.Aspect == DvAspectContent &&
           (Format.Tymed & TymedHGlobal);
  }
  bool EnumFormats(std::vector<TFormatEtc>& Formats) override {
    if (!CanEnumerate) return false;
    Formats = Enumerated;
    return true;
  }
  TGet GetData(const TFormatEtc& Format, std::string& Block) override {
    Fetched.push_back(Format.Format);
    auto It = FOffers.find(Format.Format);
    if (It == FOffers.end()) return TGet::Failed;
    Block = It->second.Get == TGet::Global ? It->second.Block : std::string();
    return It->second.Get;
  }

  std::vector<TFormatEtc> Enumerated;
  bool CanEnumerate = true;
  std::vector<unsigned> Asked;    // QueryGetData's formats, in order
  std::vector<unsigned> Fetched;  // GetData's formats, in order

 private:
  std::map<unsigned, TOffer> FOffers;
};

// A DROPFILES block: the 20-byte header (pFiles = 20, fWide) and the names, each ending in a
// zero character, then the empty name.
inline std::string DropFilesBlock(const std::vector<std::string>& Names) {
  std::string Block(20, '\0');
  Block[0] = 20;
  for (const std::string& Name : Names) Block += Name + '\0';
  return Block + '\0';
}

inline std::string DropFilesBlockWide(const std::vector<std::u16string>& Names) {
  std::string Block(20, '\0');
  Block[0] = 20;
  Block[16] = 1;
  auto Put = [&Block](char16_t c) {
    Block += static_cast<char>(c & 0xFF);
    Block += static_cast<char>(c >> 8);
  };
  for (const std::u16string& Name : Names) {
    for (char16_t c : Name) Put(c);
    Put(0);
  }
  Put(0);
  return Block;
}

// A FILEGROUPDESCRIPTORA of one descriptor whose name is Name (at most 259 bytes).
inline std::string DescriptorBlock(const std::string& Name) {
  std::string Block(4 + 332, '\0');
  Block[0] = 1;
  Block.replace(76, Name.size(), Name);
  return Block;
}

// An internet shortcut file's bytes, as a browser gives them as "FileContents".
inline std::string ContentsBlock(const std::string& URL) {
  return "[InternetShortcut]\r\nURL=" + URL + "\r\n";
}

}  // namespace lantern
