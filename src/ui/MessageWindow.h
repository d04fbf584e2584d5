#pragma once
// A hidden window that only receives messages: the program's own (WM_USER and above, sent
// through the platform or by Perform) and registered ones that the system broadcasts to
// every top-level window. Windowless, Perform is the only way in.
#include <cstdint>
#include <string>

#include "ui/Control.h"

namespace lantern {

class TMessageWindow : public TWinControl {
 public:
  explicit TMessageWindow(std::string ClassName) : FClassName(std::move(ClassName)) {}
  const std::string& ClassName() const { return FClassName; }
  // One message as the window procedure receives it.
  virtual void WndProc(unsigned Message, std::uintptr_t WParam, std::intptr_t LParam) = 0;
  // Sends a message to the window and returns when it has been handled.
  void Perform(unsigned Message, std::uintptr_t WParam, std::intptr_t LParam) {
    WndProc(Message, WParam, LParam);
  }

 protected:
  // The native window, when there are native windows; called by the constructor of the
  // class that handles the messages, so that none arrives before it exists.
  void CreateHandle();

 private:
  std::string FClassName;
};

}  // namespace lantern
