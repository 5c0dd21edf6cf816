#include "gui/link/StationTexts.h"

#include "gui/lang/QtText.h"

namespace qorrin::gui {
namespace {

QString WithPercent(const char* key, int percent) { return LangText(key).arg(std::max(0, percent)); }

}  // namespace

QString StationResultText(RadioResult result) {
  switch (result) {
    case RadioResult::Programmed: return LangText("IDS_STATION_PROGRAMMED");
    case RadioResult::AlreadyProgrammed: return LangText("IDS_STATION_ALREADY");
    case RadioResult::VerifyFailed: return LangText("IDS_STATION_VERIFY_FAILED");
    case RadioResult::WrongModel: return LangText("IDS_STATION_WRONG_MODEL");
    case RadioResult::UnpluggedDuringWrite: return LangText("IDS_STATION_UNPLUGGED");
    case RadioResult::ReadFailed: return LangText("IDS_STATION_READ_FAILED");
    case RadioResult::BackupFailed: return LangText("IDS_STATION_BACKUP_FAILED");
    case RadioResult::Cancelled: return LangText("IDS_STATION_CANCELLED");
  }
  return {};
}

QString StationStatusText(const StationPortView& port) {
  switch (port.activity) {
    case PortActivity::NoDevice: return LangText("IDS_STATION_NODEVICE");
    case PortActivity::CannotOpen: return LangText("IDS_STATION_CANNOT_OPEN");
    case PortActivity::Waiting: return LangText("IDS_STATION_WAITING");
    case PortActivity::Reading: return WithPercent("IDS_STATION_READING", port.percent);
    case PortActivity::Writing: return WithPercent("IDS_STATION_WRITING", port.percent);
    case PortActivity::Verifying: return WithPercent("IDS_STATION_VERIFYING", port.percent);
    case PortActivity::RadioDone:
      if (!port.result) break;
      return LangText(HoldsPlan(*port.result) ? "IDS_STATION_DONE" : "IDS_STATION_FAILED")
          .arg(StationResultText(*port.result));
  }
  return {};
}

QString StationTallyText(const StationTally& tally) {
  return LangText("IDS_STATION_TALLY").arg(tally.programmed).arg(tally.alreadyProgrammed).arg(tally.failed);
}

StatusTone StationStatusTone(const StationPortView& port) {
  switch (port.activity) {
    case PortActivity::Reading:
    case PortActivity::Writing:
    case PortActivity::Verifying: return StatusTone::Busy;
    case PortActivity::CannotOpen: return StatusTone::Bad;
    case PortActivity::RadioDone: return port.result && HoldsPlan(*port.result) ? StatusTone::Good : StatusTone::Bad;
    default: return StatusTone::Quiet;
  }
}

}  // namespace qorrin::gui
