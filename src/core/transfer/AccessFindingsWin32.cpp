#include "core/transfer/AccessFindings.h"

namespace qorrin {

bool CheckAccess(const CheckHost&, const std::string&, const CheckTexts&, CheckReport&) { return true; }

}  // namespace qorrin
