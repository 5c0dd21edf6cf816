#include "core/transfer/ServiceFindings.h"

namespace qorrin {

// Neither ModemManager nor brltty exists on Windows.
void CheckServices(const CheckHost&, const std::string&, const std::vector<link::SerialDevice>&,
                   const std::vector<ProcessInfo>&, const CheckTexts&, CheckReport&) {}

void CheckCablesWithoutDevice(const CheckHost&, const std::vector<link::SerialDevice>&, const CheckTexts&,
                              CheckReport&) {}

}  // namespace qorrin
