#include "core/transfer/ConnectionCheck.h"

#include "core/link/PortNames.h"
#include "core/transfer/AccessFindings.h"
#include "core/transfer/CheckTexts.h"
#include "core/transfer/DeviceFindings.h"
#include "core/transfer/HolderFindings.h"
#include "core/transfer/LineFindings.h"
#include "core/transfer/LineTalk.h"
#include "core/transfer/ProcessTable.h"
#include "core/transfer/ServiceFindings.h"

namespace qorrin {
namespace {

void Begin(const CheckRequest& request, CheckStep step) {
  if (request.step != nullptr) request.step->store(step);
}

}  // namespace

CheckReport CheckConnection(ILinkPort& port, const CheckRequest& request) {
  const CheckTexts texts(request.langFile);
  const CheckHost& host = request.host;
  CheckReport report;
  Begin(request, CheckStep::Device);
  report.device = request.device.empty() ? link::DeviceForPort(request.port, request.settingsPath) : request.device;
  const std::vector<link::SerialDevice> present = PresentSerialDevices(host);
  if (report.device.empty()) {
    ReportPortWithoutDevice(link::PortLabel(request.port), present, texts, report);
  } else if (!CheckDevicePresent(host, report.device, present, texts, report)) {
    CheckCablesWithoutDevice(host, present, texts, report);
  } else {
    Begin(request, CheckStep::Access);
    const bool mayOpen = CheckAccess(host, report.device, texts, report);
    Begin(request, CheckStep::Holders);
    const std::vector<ProcessInfo> processes = ReadProcesses(host);
    const bool free = CheckHolders(host, report.device, processes, texts, report);
    Begin(request, CheckStep::Services);
    CheckServices(host, report.device, present, processes, texts, report);
    if (mayOpen && free) {
      Begin(request, CheckStep::Line);
      const LineTalk talk = TalkToRadio(port, host.InRoot(report.device), request.cancel);
      ReportLine(talk, report.device, request.models.get(), texts, report);
    }
  }
  Begin(request, CheckStep::Done);
  return report;
}

}  // namespace qorrin
