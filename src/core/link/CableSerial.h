#pragma once
// What tells programming cables apart in a log: the serial number of the USB adapter
// behind a device.
#include <string>

namespace qorrin::link {

// The serial number of the adapter behind `device` (the tty itself, or a stable name
// such as /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0 that links to
// it): the adapter's own when the system knows it, else the one a stable name of that
// form carries. Empty when nothing is known (a pseudo-terminal, a built-in port).
std::string CableSerialNumber(const std::string& device);

// The adapter's serial number as the system reports it; empty when it does not.
std::string UsbSerialOf(const std::string& device);

// The serial number part of a stable USB name ("usb-VENDOR_PRODUCT_SERIAL-if00-port0"
// gives "SERIAL"); empty for a name of another form.
std::string SerialFromStableName(const std::string& name);

}  // namespace qorrin::link
