#include "core/interchange/ChannelListWriter.h"

#include "core/edit/ChannelCommits.h"
#include "core/edit/ChannelTableTestSupport.h"
#include "core/interchange/ListSamples.h"

namespace qorrin {
namespace {

using test::ChannelTableTest;

TEST_F(ChannelTableTest, ExportWritesTheLayoutOtherToolsRead) {
  EXPECT_EQ(WriteChannelTable(doc.Image(), doc.GetBandLimits()),
            test::kFullHeader + "\r\n1,,136.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n");

  CommitReceiveFrequency(doc, 1, "");
  SetRecord(3, "00 00 55 14 00 00 00 06 00 09 D1 00 0C 0D FF FF");   // 145.5 -> 144.9, encode 88.5
  SetRecord(7, "00 20 65 14 0D 00 00 00 00 0D 10 00 1D 01 FF FF");   // TSQL 100.0, narrow, low
  SetRecord(9, "00 50 25 16 00 00 50 25 16 09 81 00 FF FF FF FF");   // receive-only (encode not shown)
  SetRecord(10, "00 00 00 15 33 00 00 00 00 33 C8 00 FF FF FF FF");  // D023I decode, D023N encode
  SetRecord(11, "00 00 00 15 01 00 00 00 00 9A C0 00 FF FF FF FF");  // 67.0 decode, D754N encode
  SetRecord(12, "00 00 00 15 00 00 00 50 00 00 C2 00 0B 0C 0A 05");  // + 5 MHz, name " A-5"
  EXPECT_EQ(WriteChannelTable(doc.Image(), doc.GetBandLimits()),
            test::kFullHeader + "\r\n"
            "3,AB,145.500000,-,0.600000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n"
            "7,R1,146.520000,,0.000000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,NFM,5.00,,1.0W,,,,,\r\n"
            "9,,162.550000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,,5.0W,,,,,\r\n"
            "10,,150.000000,,0.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n"
            "11,,150.000000,,0.000000,Cross,88.5,67.0,754,NN,023,DTCS->Tone,FM,5.00,,5.0W,,,,,\r\n"
            "12, A-5,150.000000,+,5.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n");

  // A selection, tab-separated for the clipboard; empty channels are left out.
  const std::vector<int> selection{12, 4, 3};
  const std::string tabbed = WriteChannelList(doc.Image(), doc.GetBandLimits(), selection, {'\t', "\n"});
  EXPECT_TRUE(tabbed.starts_with("Location\tName\tFrequency\t"));  // the header row first
  EXPECT_EQ(tabbed.substr(tabbed.find('\n') + 1),
            "12\t A-5\t150.000000\t+\t5.000000\t\t88.5\t88.5\t023\tNN\t023\tTone->Tone\tFM\t5.00\t\t5.0W\t\t\t\t\t\n"
            "3\tAB\t145.500000\t-\t0.600000\tTone\t88.5\t88.5\t023\tNN\t023\tTone->Tone\tFM\t5.00\t\t5.0W\t\t\t\t\t\n");

  // A two-band model writes a transmit frequency in the other band as a split.
  doc.ChangeFrequencyRange(2);
  SetRecord(1, "00 00 58 14 00 00 00 00 29 00 C2 00 FF FF FF FF");  // 145.8 -> 435.8
  EXPECT_EQ(ChannelListCells(doc.Image(), doc.GetBandLimits(), 1)[ColumnIndex(ListColumn::Duplex)], "split");
  EXPECT_EQ(ChannelListCells(doc.Image(), doc.GetBandLimits(), 1)[ColumnIndex(ListColumn::Offset)], "435.800000");
}

}  // namespace
}  // namespace qorrin
