#pragma once
// Named colour sets ("colour examples") that the dialogs offer, kept in Color.dat beside the
// program: per entry its name and the four colours of a menu row.
#include <memory>
#include <string>
#include <vector>

#include "base/ColorSet.h"
#include "base/Exception.h"
#include "ui/Stream.h"

namespace lantern {

class TColorExample {
 public:
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  const TColorSet& Colors() const { return FColors; }
  void SetColors(const TColorSet& Value) { FColors = Value; }

  // Reads one entry just after its opening tag: the name, four colours (back, font, selected
  // back, selected font), then up to and including the closing tag or the end. Line counts
  // the lines read so far, for the error's place. EConvertError for a colour that is no
  // number (also an entry cut short: the empty line stands where the number should be).
  void LoadFromText(TStream& Stream, int& Line);
  // Writes the entry's seven lines, CR LF.
  void SaveToText(TStream& Stream) const;

 private:
  std::string FName;
  TColorSet FColors = DefaultColorSet;
};

// Color.dat could not be read to its end: the message says what was wrong and on which line.
class EColorExampleError : public Exception {
 public:
  using Exception::Exception;
};

class TColorExampleList {
 public:
  // Appends; the new example's index.
  int Add(std::unique_ptr<TColorExample> Example);
  int Count() const { return static_cast<int>(FItems.size()); }
  TColorExample* Items(int Index) const { return FItems.at(Index).get(); }
  // Takes the entry at Index out of the list and hands it over.
  std::unique_ptr<TColorExample> Delete(int Index);
  // The first example named exactly Name; -1 when there is none.
  int IndexOf(const std::string& Name) const;
  // Appends the examples of the file; a missing file adds nothing. A file that cannot be
  // read raises EFileError; a malformed entry EColorExampleError, with the examples before
  // it appended.
  void LoadFromFile(const std::string& Path);
  // The same from an open stream; Path names the file in the error's text.
  void LoadFromStream(TStream& Stream, const std::string& Path);
  // Writes the whole list to a temporary file beside Path and puts it in place at once, so
  // a failed write leaves the old file whole. EFileError on failure.
  void SaveToFile(const std::string& Path) const;

 private:
  std::vector<std::unique_ptr<TColorExample>> FItems;
};

// The folder of the program's executable plus "Color.dat".
std::string ColorExampleFileName();

}  // namespace lantern
