#pragma once
// What the port and transfer dialogs need of the program around them: the document, the
// one serial port, the transfer worker, the status pane and the whole-window refresh. The
// application provides it, so the dialogs never reach up into the application's classes.
#include <memory>

namespace qorrin {
class CQorrinDoc;
class CSerialPort;
}  // namespace qorrin

namespace qorrin::gui {

class TransferWorker;

class ILinkHost {
 public:
  virtual ~ILinkHost() = default;
  virtual CQorrinDoc& Document() = 0;
  virtual const std::shared_ptr<CSerialPort>& Port() const = 0;
  virtual TransferWorker& Worker() = 0;
  // The status pane shows port number `port` ("COM3").
  virtual void ShowPort(int port) = 0;
  // Menus, band limits and every view again, after a read replaced the image.
  virtual void RefreshAll() = 0;
};

}  // namespace qorrin::gui
