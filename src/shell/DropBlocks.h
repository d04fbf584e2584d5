#pragma once
// The data blocks other programs drop on the main window, read as bytes of a known real size
// (GlobalSize on Windows): the DROPFILES file list (single-byte or UTF-16 names), the text of
// a URL block, the "FileContents" of a browser's link and the first name of a
// "FileGroupDescriptor". No read goes past the block's end; a block cut short gives what can
// be read of it, or nothing. Portable, so that it is tested natively and fuzzed.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace lantern {

// UTF-16 text to CP932: false when a character has no CP932 form (no look-alike stands in).
using TWideToCp932 = std::function<bool(const std::u16string& Wide, std::string& Text)>;

// The platform's conversion (Windows: WideCharToMultiByte with code page 932; elsewhere
// iconv's CP932).
bool PlatformWideToCp932(const std::u16string& Wide, std::string& Text);

// The names of a DROPFILES block: from the offset in its field pFiles (byte 0), single-byte or
// UTF-16 as its field fWide (byte 16) says, each ending in a zero character, up to an empty
// name. A block shorter than its 20-byte header, an offset outside the block, or a last name
// without its zero gives the names read before it. A UTF-16 name without a CP932 form is not
// added to List but to Unusable (when given), written as DescribeWide writes it. True when
// List is not empty.
bool ReadDropFiles(const void* Block, std::size_t Size, std::vector<std::string>& List,
                   const TWideToCp932& Convert, std::vector<std::string>* Unusable = nullptr);

// A UTF-16 name for a message: the characters without a CP932 form written as <U+1F600>.
std::string DescribeWide(const std::u16string& Wide, const TWideToCp932& Convert);

// The zero-terminated text of a block; a block without a zero gives all its bytes.
std::string BlockText(const void* Block, std::size_t Size);

// The URL of a "FileContents" block (an internet shortcut file's bytes, up to the first zero),
// read as ReadUrlFile reads a file, line ends CR LF or LF. False when it has none.
bool ContentsURL(const void* Block, std::size_t Size, std::string& URL);

// The file name of the first descriptor of a "FileGroupDescriptor" block (FILEGROUPDESCRIPTORA:
// a 4-byte count, then descriptors whose 260-byte name starts at byte 72 of each, so at byte
// 76 of the block), up to its first zero. False when the block holds no descriptor or stops
// before the name; a name cut by the block's end gives what the block holds of it.
bool DescriptorName(const void* Block, std::size_t Size, std::string& Name);

// A browser's link name as a launcher's name: without the prefix "ｼｮｰﾄｶｯﾄ " or
// "ショートカット " that some browsers put before it, and without its extension ".url" (any
// case; a name with another ending keeps its end).
std::string LinkName(const std::string& FileName);

// A URL that can be stored and handed to the shell as it is: no control characters (bytes
// below 0x20, among them NUL, and 0x7F), which would make the shell see another URL or text
// than the one stored.
bool IsAcceptableURL(const std::string& URL);

// A link's name (a "FileGroupDescriptor" name) that can name a launcher: no control
// characters (bytes below 0x20), which no file name holds; a line end among them would split
// the launcher's record in the data file.
bool IsAcceptableLinkName(const std::string& Name);

// The URL of an internet shortcut (".url") file: the first "URL=" line of its
// "[InternetShortcut]" section (section name and key in any case; a later section ends the
// search; a UTF-8 signature before the first line is passed over). False when the file has
// none, when that URL holds control characters, or when the file cannot be read. Reads the
// file a line at a time.
bool ReadUrlFile(const std::string& FileName, std::string& URL);

}  // namespace lantern
