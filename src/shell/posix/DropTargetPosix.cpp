// Without Windows there is no OLE: nothing to set up, no window to register, and the
// clipboard formats get fixed numbers of the registered range so that the drop target's
// logic runs unchanged over test doubles.
#include <iconv.h>

#include "shell/DropTarget.h"

namespace lantern {

void OleSetUp() {}
void OleTearDown() {}

const TClipboardFormats& ClipboardFormats() {
  static const TClipboardFormats Formats = [] {
    TClipboardFormats F;
    F.FileContents = 0xC101;
    F.FileGroupDescriptor = 0xC102;
    F.ShellIDListArray = 0xC103;
    F.PreferredDropEffect = 0xC104;
    F.UniformResourceLocator = 0xC105;
    F.FileNameMap = 0xC106;
    F.FileNameMapW = 0xC107;
    return F;
  }();
  return Formats;
}

std::unique_ptr<TDropTargetPeer> CreateDropTargetPeer(TDropTarget&) { return nullptr; }

// iconv's CP932, which fails on a character without a CP932 form.
bool PlatformWideToCp932(const std::u16string& Wide, std::string& Text) {
  Text.clear();
  if (Wide.empty()) return true;
  iconv_t Conv = iconv_open("CP932", "UTF-16LE");
  if (Conv == reinterpret_cast<iconv_t>(-1)) return false;
  std::string In;
  for (char16_t c : Wide) {
    In += static_cast<char>(c & 0xFF);
    In += static_cast<char>(c >> 8);
  }
  std::string Out(Wide.size() * 4 + 4, '\0');
  char* InPtr = &In[0];
  size_t InLeft = In.size();
  char* OutPtr = &Out[0];
  size_t OutLeft = Out.size();
  size_t Done = iconv(Conv, &InPtr, &InLeft, &OutPtr, &OutLeft);
  iconv_close(Conv);
  // A count above 0 is of characters that iconv replaced by a look-alike.
  if (Done != 0 || InLeft != 0) return false;
  Text.assign(Out.data(), Out.size() - OutLeft);
  return true;
}

}  // namespace lantern
