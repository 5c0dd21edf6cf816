#include "core/transfer/StationTypes.h"

namespace qorrin {

const char* RadioResultText(RadioResult result) {
  switch (result) {
    case RadioResult::Programmed: return "programmed";
    case RadioResult::AlreadyProgrammed: return "already programmed";
    case RadioResult::VerifyFailed: return "verify failed";
    case RadioResult::WrongModel: return "wrong model";
    case RadioResult::UnpluggedDuringWrite: return "unplugged during the write";
    case RadioResult::ReadFailed: return "read failed";
    case RadioResult::BackupFailed: return "backup failed";
    case RadioResult::Cancelled: return "cancelled";
  }
  return "?";
}

}  // namespace qorrin
