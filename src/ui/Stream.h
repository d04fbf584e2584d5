#pragma once
// Byte streams. Every stream reads ahead through a buffer that line readers can look into
// (Peek and Skip), so text is read a buffer at a time rather than a byte at a time.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace lantern {

enum class TSeekOrigin { Begin, Current, End };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to Count bytes; fewer only at the end of the stream.
  virtual std::size_t Read(void* Buffer, std::size_t Count) = 0;
  // Writes all Count bytes or raises EFileError. Small writes go straight into the
  // stream's write buffer, when it has one; a file is written a line at a time.
  void Write(const void* Buffer, std::size_t Count) {
    if (Count == 0) return;
    if (Count <= static_cast<std::size_t>(FPutEnd - FPutNext)) {
      std::memcpy(FPutNext, Buffer, Count);
      FPutNext += Count;
    } else {
      DoWrite(Buffer, Count);
    }
  }
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;
  // The bytes that follow, as many as are buffered (refilled when none are); empty only at
  // the end of the stream. The view is valid until the next call on the stream.
  virtual std::string_view Peek() = 0;
  // Consumes Count bytes of what Peek returned.
  virtual void Skip(std::size_t Count) = 0;

  std::int64_t Position() { return Seek(0, TSeekOrigin::Current); }
  bool AtEnd() { return Peek().empty(); }
  void WriteText(std::string_view Text) { Write(Text.data(), Text.size()); }

 protected:
  // Writes what did not fit into the write buffer (all of it when there is none).
  virtual void DoWrite(const void* Buffer, std::size_t Count) = 0;
  // The free part of a subclass's write buffer; empty when it has none.
  char* FPutNext = nullptr;
  char* FPutEnd = nullptr;
};

// A stream over bytes in memory.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string Bytes) : FData(std::move(Bytes)) {}
  std::size_t Read(void* Buffer, std::size_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::string_view Peek() override;
  void Skip(std::size_t Count) override;
  const std::string& Bytes() const { return FData; }

 protected:
  void DoWrite(const void* Buffer, std::size_t Count) override;

 private:
  std::string FData;
  std::size_t FPosition = 0;
};

class TFileHandle;

enum class TFileMode {
  OpenRead,  // existing file, read access; others may read but not write
  Create,    // new or truncated file, write access
};

// A file through a 64 KiB buffer. Written bytes reach the file at Flush, FlushToDisk or
// destruction; only the first two report a failure.
class TFileStream : public TStream {
 public:
  TFileStream(const std::string& FileName, TFileMode Mode);
  ~TFileStream() override;
  std::size_t Read(void* Buffer, std::size_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::string_view Peek() override;
  void Skip(std::size_t Count) override;
  void Flush();
  // Flush, then make sure the bytes are on the disk before the file is relied on.
  void FlushToDisk();
  const std::string& FileName() const { return FFileName; }

 protected:
  void DoWrite(const void* Buffer, std::size_t Count) override;

 private:
  void Fill();
  std::size_t Pending() const { return FWriting ? FPutNext - FBuffer.data() : 0; }
  void DropReadAhead();

  std::string FFileName;
  std::unique_ptr<TFileHandle> FHandle;
  std::string FBuffer;      // read-ahead, or pending writes while FWriting
  std::size_t FOffset = 0;  // read position inside FBuffer
  bool FWriting = false;    // FBuffer is the write buffer: FPutNext and FPutEnd point into it
};

}  // namespace lantern
