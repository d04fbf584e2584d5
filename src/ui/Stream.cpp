#include "ui/Stream.h"

#include <algorithm>
#include <cstring>

#include "base/Exception.h"
#include "ui/FileSystem.h"

namespace lantern {

namespace {
constexpr std::size_t BufferSize = 64 * 1024;

std::int64_t Clamp(std::int64_t Value, std::int64_t Size) {
  return std::max<std::int64_t>(0, std::min(Value, Size));
}
}  // namespace

// TMemoryStream

std::size_t TMemoryStream::Read(void* Buffer, std::size_t Count) {
  std::size_t n = std::min(Count, FData.size() - FPosition);
  std::memcpy(Buffer, FData.data() + FPosition, n);
  FPosition += n;
  return n;
}

void TMemoryStream::DoWrite(const void* Buffer, std::size_t Count) {
  if (FPosition + Count > FData.size()) FData.resize(FPosition + Count);
  std::memcpy(&FData[FPosition], Buffer, Count);
  FPosition += Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t Base = Origin == TSeekOrigin::Begin     ? 0
                      : Origin == TSeekOrigin::Current ? static_cast<std::int64_t>(FPosition)
                                                       : static_cast<std::int64_t>(FData.size());
  FPosition = static_cast<std::size_t>(Clamp(Base + Offset, FData.size()));
  return static_cast<std::int64_t>(FPosition);
}

std::string_view TMemoryStream::Peek() { return std::string_view(FData).substr(FPosition); }

void TMemoryStream::Skip(std::size_t Count) {
  FPosition = std::min(FData.size(), FPosition + Count);
}

// TFileStream

TFileStream::TFileStream(const std::string& FileName, TFileMode Mode)
    : FFileName(FileName), FHandle(FileSystem().Open(FileName, Mode)) {}

TFileStream::~TFileStream() {
  try {
    Flush();
  } catch (...) {
    // A destructor cannot report; callers that care call Flush or FlushToDisk first.
  }
}

void TFileStream::Flush() {
  if (!FWriting) return;
  std::size_t Count = Pending();
  FWriting = false;
  FPutNext = FPutEnd = nullptr;
  // Emptied whether or not the write succeeds: the bytes are never written twice.
  struct TEmpty {
    std::string& Buffer;
    ~TEmpty() { Buffer.clear(); }
  } Empty{FBuffer};
  if (Count) FHandle->Write(FBuffer.data(), Count);
}

void TFileStream::FlushToDisk() {
  Flush();
  FHandle->FlushToDisk();
}

void TFileStream::DropReadAhead() {
  if (FWriting) return;
  if (FOffset < FBuffer.size())
    FHandle->Seek(-static_cast<std::int64_t>(FBuffer.size() - FOffset), TSeekOrigin::Current);
  FBuffer.clear();
  FOffset = 0;
}

void TFileStream::Fill() {
  Flush();
  FBuffer.resize(BufferSize);
  FBuffer.resize(FHandle->Read(&FBuffer[0], BufferSize));
  FOffset = 0;
}

std::string_view TFileStream::Peek() {
  if (FWriting || FOffset >= FBuffer.size()) Fill();
  return std::string_view(FBuffer.data() + FOffset, FBuffer.size() - FOffset);
}

void TFileStream::Skip(std::size_t Count) { FOffset = std::min(FBuffer.size(), FOffset + Count); }

std::size_t TFileStream::Read(void* Buffer, std::size_t Count) {
  char* Out = static_cast<char*>(Buffer);
  std::size_t Done = 0;
  while (Done < Count) {
    std::string_view Ahead = Peek();
    if (Ahead.empty()) break;
    std::size_t n = std::min(Count - Done, Ahead.size());
    std::memcpy(Out + Done, Ahead.data(), n);
    Skip(n);
    Done += n;
  }
  return Done;
}

void TFileStream::DoWrite(const void* Buffer, std::size_t Count) {
  if (!FWriting) {
    DropReadAhead();
    FWriting = true;
    FBuffer.resize(BufferSize);
  } else if (std::size_t Full = Pending()) {
    FHandle->Write(FBuffer.data(), Full);
  }
  FPutNext = &FBuffer[0];
  FPutEnd = FPutNext + BufferSize;
  if (Count >= BufferSize) {
    FHandle->Write(Buffer, Count);
  } else {
    std::memcpy(FPutNext, Buffer, Count);
    FPutNext += Count;
  }
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  if (Origin == TSeekOrigin::Current && !FWriting) {
    // Stay inside the read-ahead when we can (a line reader steps back one byte).
    std::int64_t Target = static_cast<std::int64_t>(FOffset) + Offset;
    if (Target >= 0 && Target <= static_cast<std::int64_t>(FBuffer.size())) {
      FOffset = static_cast<std::size_t>(Target);
      std::int64_t End = FHandle->Seek(0, TSeekOrigin::Current);
      return End - static_cast<std::int64_t>(FBuffer.size() - FOffset);
    }
  }
  Flush();
  DropReadAhead();
  return FHandle->Seek(Offset, Origin);
}

}  // namespace lantern
