#include "ui/MessageWindow.h"

#include "ui/Widgets.h"

namespace lantern {

void TMessageWindow::CreateHandle() {
  if (Widgets() && !Peer()) SetPeer(Widgets()->CreateMessageWindow(*this));
}

}  // namespace lantern
