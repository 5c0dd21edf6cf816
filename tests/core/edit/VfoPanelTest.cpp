#include "core/edit/VfoPanel.h"

#include <tuple>

#include "core/edit/ChannelTableTestSupport.h"
#include "core/model/RecordFields.h"
#include "core/model/ToneCodec.h"
#include "support/DocumentBytes.h"

namespace qorrin {

// Failures show the two edit texts instead of the object's bytes.
void PrintTo(const VfoTexts& texts, std::ostream* out) {
  *out << '{' << '"' << texts.strReceive << "\", \"" << texts.strTransmit << "\"}";
}

namespace {

class VfoPanelTest : public test::ChannelTableTest {
 protected:
  // The first twelve bytes of a record: frequencies, tones, flags and step.
  std::string Fields(int record) const { return Record(record).substr(0, 35); }

  VfoCommitResult Leave(int record, VfoEdit edit, const char* rx, const char* tx) {
    return CommitVfoEdit(doc, record, edit, {rx, tx});
  }
};

TEST_F(VfoPanelTest, TwoBandModelKeepsEachVfoOnItsSideOfTheGap) {
  doc.ChangeFrequencyRange(2);  // 136-174 and 400-470 MHz
  ASSERT_EQ(GetVfoTexts(doc, kVfoARecord), (VfoTexts{"136.00000", "136.00000"}));
  ASSERT_EQ(GetVfoTexts(doc, kVfoBRecord), (VfoTexts{"400.00000", "400.00000"}));
  EXPECT_TRUE(IsVfoInUse(doc, kVfoARecord) && IsVfoInUse(doc, kVfoBRecord));

  const std::tuple<int, VfoEdit, const char*, const char*, VfoTexts> cases[] = {
      {kVfoARecord, VfoEdit::Receive, "440", "136.00000", {"136.00000", "136.00000"}},
      {kVfoARecord, VfoEdit::Receive, "174", "174", {"174.00000", "174.00000"}},
      {kVfoARecord, VfoEdit::Receive, "174.005", "174", {"136.00000", "174.00000"}},
      {kVfoARecord, VfoEdit::Transmit, "146", "", {"146.00000", "136.00000"}},
      {kVfoBRecord, VfoEdit::Receive, "150", "400.00000", {"400.00000", "400.00000"}},
      {kVfoBRecord, VfoEdit::Receive, "446.1", "446.1", {"446.10000", "446.10000"}},
      // The clamp to the band and an empty edit: the channel commits' and the one-band test.
  };
  for (const auto& [record, edit, rx, tx, shown] : cases) {
    SaveAside();
    const VfoCommitResult done = Leave(record, edit, rx, tx);
    EXPECT_EQ(done.texts, shown) << record << " " << rx << " / " << tx;
    EXPECT_EQ(GetVfoTexts(doc, record), shown) << rx;
    EXPECT_TRUE(done.bStored && done.bModified && doc.IsModified()) << rx;
  }
}

TEST_F(VfoPanelTest, OneBandModelEmptiesTheVfoItHasNoBandFor) {
  doc.ChangeFrequencyRange(1);  // 400-470 MHz: VFO B only
  ASSERT_FALSE(IsVfoInUse(doc, kVfoARecord));
  SetRecord(kVfoARecord, "00 00 61 14 00 00 00 06 00 00 C2 00 00 00 00 00");
  SaveAside();

  VfoCommitResult done = Leave(kVfoARecord, VfoEdit::Receive, "146.1", "146.7");
  EXPECT_EQ(done.texts, (VfoTexts{"", "146.7"}));  // the other edit keeps its text
  EXPECT_TRUE(done.bStored);
  EXPECT_FALSE(done.bModified || doc.IsModified());
  EXPECT_EQ(Fields(kVfoARecord), "FF FF FF FF 00 00 00 06 00 00 C2 00");
  done = Leave(kVfoARecord, VfoEdit::Transmit, "", "146.7");
  EXPECT_EQ(done.texts, (VfoTexts{"", ""}));
  EXPECT_EQ(Fields(kVfoARecord), "FF FF FF FF 00 FF FF FF FF 00 C2 00");
  EXPECT_FALSE(doc.IsModified());

  done = Leave(kVfoBRecord, VfoEdit::Receive, "", "");
  EXPECT_EQ(done.texts, (VfoTexts{"400.00000", ""}));  // no transmit: receive-only
  EXPECT_TRUE(done.bModified && doc.IsModified());
  EXPECT_EQ(Fields(kVfoBRecord), "00 00 00 40 00 00 00 00 40 00 C1 00");

  // The panel that is not used names the ranges of the shipped list that use it.
  EXPECT_EQ(RangesUsingVfo(kVfoARecord),
            (std::vector<std::string>{"136-174MHz", "136-174MHz/400-470MHz", "136-174MHz/400-480MHz"}));
  EXPECT_EQ(RangesUsingVfo(kVfoBRecord), (std::vector<std::string>{"400-470MHz", "136-174MHz/400-470MHz",
                                                                   "400-480MHz", "136-174MHz/400-480MHz"}));

  doc.ChangeFrequencyRange(0);  // 136-174 MHz: VFO A only
  SaveAside();
  EXPECT_EQ(Leave(kVfoBRecord, VfoEdit::Receive, "146", "146").texts, (VfoTexts{"", "146"}));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(Leave(kVfoARecord, VfoEdit::Receive, "", "146").texts,
            (VfoTexts{"136.00000", "146.00000"}));
}

TEST_F(VfoPanelTest, StoreBringsBothFrequenciesOntoTheStepRaster) {
  auto step = [&](int index) { test::SetByte(doc, *RecordOffset(kVfoARecord) + kRecStep, static_cast<std::uint8_t>(index)); };
  step(1);  // 6.25 kHz
  Leave(kVfoARecord, VfoEdit::Receive, "146.0062", "146.0062");
  EXPECT_EQ(Fields(kVfoARecord), "25 06 60 14 00 00 00 00 00 00 C0 01");
  EXPECT_EQ(GetVfoTexts(doc, kVfoARecord), (VfoTexts{"146.00625", "146.00625"}));

  step(0);  // 5 kHz; the stored frequency stays until the next store
  EXPECT_EQ(GetFrequencyText(doc.Image(), kVfoARecord, true), "146.00625");
  EXPECT_EQ(Leave(kVfoARecord, VfoEdit::Receive, "146.0062", "146.0075").texts,
            (VfoTexts{"146.00500", "146.00500"}));
  EXPECT_EQ(Fields(kVfoARecord), "00 05 60 14 00 00 00 00 00 00 C0 00");

  // {frequency, step, snapped}: 14600450 is nearer the 5 kHz above; an exact half rounds down.
  for (auto [in, stepIndex, out] : {std::tuple{14600450, 1, 14600500}, {14600450, 0, 14600500}, {14600250, 0, 14600000},
                                    {14600250, 3, 14600000}, {14600625, 1, 14600625}, {14600625, 4, 14600500},
                                    {14600875, 5, 14601000}}) {
    EXPECT_EQ(SnapToVfoStep(in, stepIndex), out) << in << " " << stepIndex;
  }
}

TEST_F(VfoPanelTest, TransmitIsKeptAsDirectionAndOffsetAndShownWithoutLeadingZeros) {
  // Direction and offset are the channel commits' rule; here: the VFO's store, empty TX text.
  for (auto [tx, fields, shownTx] : {std::tuple{"146.1", "00 00 55 14 00 00 00 06 00 00 C2 00", "146.10000"},
                                     {"", "00 00 55 14 00 00 00 55 14 00 C1 00", ""}}) {  // receive-only
    const VfoCommitResult done = StoreVfo(doc, kVfoARecord, {"145.5", tx});
    EXPECT_EQ(Fields(kVfoARecord), fields) << tx;
    EXPECT_EQ(done.texts, (VfoTexts{"145.50000", shownTx})) << tx;
  }
  // Tones, bandwidth, power and the other bits of the flag byte stay.
  SetRecord(kVfoARecord, "00 00 55 14 21 00 00 00 00 33 2C 02 00 00 00 00");
  StoreVfo(doc, kVfoARecord, {"145.5", "146.1"});
  EXPECT_EQ(Fields(kVfoARecord), "00 00 55 14 21 00 00 06 00 33 2E 02");

  // How direction and offset give the frequency is the field layer's rule; here: the text.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"00 00 00 05 00 00 00 06 00 00 C2 00", "50.00000", "50.60000"},
      {"00 00 05 00 00 00 00 06 00 00 C1 00", "00.50000", "-0.10000"},
      {"00 00 61 14 00 00 00 61 14 00 C1 00", "146.10000", ""},           // receive-only
      {"FF FF FF FF 00 00 00 06 00 00 C2 00", "", "0.60000"}};
  for (auto [record, receive, transmit] : cases) {
    SetRecord(kVfoARecord, std::string(record) + " 00 00 00 00");
    EXPECT_EQ(GetVfoTexts(doc, kVfoARecord), (VfoTexts{receive, transmit})) << record;
  }
}

TEST_F(VfoPanelTest, DropDownsStoreTheirFieldAndRefuseWhatNoListOffers) {
  ASSERT_EQ(GetVfoPanelState(doc, kVfoARecord).nPower, 1);
  SaveAside();
  EditResult done = CommitVfoTone(doc, kVfoARecord, true, 258);
  EXPECT_TRUE(done.bStored && done.bModified && doc.IsModified());
  CommitVfoTone(doc, kVfoARecord, false, 12);
  CommitVfoPower(doc, kVfoARecord, 0);
  CommitVfoBandwidth(doc, kVfoARecord, 0);
  CommitVfoStep(doc, kVfoARecord, 5);
  EXPECT_EQ(Fields(kVfoARecord), "00 00 60 13 9A 00 00 00 00 0C 08 05");
  const VfoPanelState state = GetVfoPanelState(doc, kVfoARecord);  // decode, encode, power, bandwidth, step
  EXPECT_EQ(std::tuple(state.nReceiveTone, state.nTransmitTone, state.nPower, state.nBandwidth),
            std::tuple(258, 12, 0, 0));
  EXPECT_EQ(state.step.nSelected, 5);
  // Off is a tone like the others.
  ASSERT_TRUE(CommitVfoTone(doc, kVfoARecord, true, kToneOff).bStored);
  EXPECT_EQ(GetVfoPanelState(doc, kVfoARecord).nReceiveTone, kToneOff);

  SaveAside();
  const auto before = doc.Image();
  for (const EditResult& refused :
       {CommitVfoTone(doc, kVfoARecord, true, -1), CommitVfoTone(doc, kVfoBRecord, false, 259),
        CommitVfoPower(doc, kVfoARecord, 2), CommitVfoBandwidth(doc, kVfoBRecord, -1),
        CommitVfoStep(doc, kVfoARecord, 6), CommitVfoStep(doc, kVfoARecord, -1),
        CommitVfoTone(doc, 1, true, 5), CommitVfoPower(doc, 120, 1), CommitVfoStep(doc, 123, 1)}) {
    EXPECT_FALSE(refused.bStored || refused.bModified);
  }
  EXPECT_FALSE(StoreVfo(doc, 1, {"146", "146"}).bStored);
  EXPECT_FALSE(CommitVfoEdit(doc, 99, VfoEdit::Receive, {"146", "146"}).bStored);
  EXPECT_EQ(doc.Image(), before);
  EXPECT_FALSE(doc.IsModified());

  // A step list shorter than the stored index (even by one) selects nothing.
  std::string lang = dir.read("english.lang");
  lang.erase(lang.find("5=25.00 kHz\n"), 12);
  dir.write("english.lang", lang);
  EXPECT_EQ(GetVfoPanelState(doc, kVfoARecord).step.nSelected, -1);
  lang.erase(lang.find("4=20.00 kHz\n"), 12);
  dir.write("english.lang", lang);
  EXPECT_EQ(GetVfoPanelState(doc, kVfoARecord).step.nSelected, -1);
  EXPECT_FALSE(CommitVfoStep(doc, kVfoARecord, 4).bStored);
}

}  // namespace
}  // namespace qorrin
