#include "core/edit/FormTextKeys.h"

#include "core/lang/ResourceIds.h"
#include "core/model/OptionFieldTable.h"

namespace qorrin {

// Left out on purpose: the main form's own caption (101; it is not a window of its
// own), the transfer dialog's caption (132; replaced by IDS_READDATA/IDS_WRITEDATA),
// and controls that show no text of their own (drop-down lists, edits, grids, the
// progress bar, and the transfer status line, which must stay empty until a run).
const std::vector<int>& RequiredResourceIds() {
  static const std::vector<int> ids = [] {
    std::vector<int> k = {
        // OK and Cancel, shared by every dialog; the about box: caption and two lines.
        ctl::kOk, ctl::kCancel, dlg::kAbout, ctl::kAboutVersion, ctl::kStatic,
        // Main form: the groups, the frequency range and the priority channel.
        ctl::kModelGroup, ctl::kRangeLabel, ctl::kScanGroup, ctl::kPriorityLabel, ctl::kOptionGroup,
    };
    // Main form: the label of each option list, the text of each option check box.
    for (const OptionFieldEntry& entry : kOptionFields) k.push_back(entry.labelId != 0 ? entry.labelId : entry.controlId);
    // Main form: both VFO panels, the group and each row's label.
    for (const VfoPanelIds& vfo : {ctl::kVfoA, ctl::kVfoB}) {
      k.insert(k.end(), {vfo.group, vfo.receiveLabel, vfo.transmitLabel, vfo.decodeLabel, vfo.encodeLabel,
                         vfo.powerLabel, vfo.bandwidthLabel, vfo.stepLabel});
    }
    // Port dialog: caption, group, COM1..COM8, search switch.
    k.insert(k.end(), {dlg::kPort, ctl::kPortGroup});
    for (int n = 0; n < ctl::kPortButtonCount; ++n) k.push_back(ctl::kFirstPortButton + n);
    k.push_back(ctl::kSearchPorts);
    // Language dialog: caption, label. FM presets dialog: caption, label of the current
    // frequency.
    k.insert(k.end(), {dlg::kLanguage, ctl::kLanguageLabel, dlg::kFmRadio, ctl::kFmCurrentLabel});
    // Channel-list import: caption, placement group, its two choices, "replace", the
    // power of rows without one.
    k.insert(k.end(), {dlg::kImportChannels, ctl::kImportPlacementGroup, ctl::kImportAsInFile,
                       ctl::kImportFromChannel, ctl::kImportReplace, ctl::kImportPowerLabel});
    return k;
  }();
  return ids;
}

const std::vector<RequiredOptionList>& RequiredOptionLists() {
  // Item counts follow the stored values: six VFO steps (indices 1 and 3 are the
  // 6.25 kHz ones), and for each option list of the form every value its bits read as.
  static const std::vector<RequiredOptionList> lists = [] {
    std::vector<RequiredOptionList> k = {{"Step", 6}};
    for (const OptionFieldEntry& entry : kOptionFields) {
      if (entry.items == OptionItems::Section) k.push_back({entry.section, entry.maxValue + 1});
    }
    return k;
  }();
  return lists;
}

}  // namespace qorrin
