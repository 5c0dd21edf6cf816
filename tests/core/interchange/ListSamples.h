#pragma once
// Channel lists written by hand in the styles users bring.
#include <string>

namespace qorrin::test {

inline const std::string kFullHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// Saved by a spreadsheet in a German locale: ';' separators, decimal commas, CRLF.
inline const std::string kSpreadsheetList =
    "Location;Name;Frequency;Duplex;Offset;Tone;rToneFreq;cToneFreq;DtcsCode;DtcsPolarity;"
    "RxDtcsCode;CrossMode;Mode;TStep;Skip;Power;Comment;URCALL;RPT1CALL;RPT2CALL;DVCODE\r\n"
    "1;Relais Nord;145,725000;-;0,600000;Tone;88,5;88,5;023;NN;023;Tone->Tone;FM;12,50;;5,0W;;;;;\r\n"
    "2;Simplex;145,500000;;0,000000;;88,5;88,5;023;NN;023;Tone->Tone;NFM;5,00;S;0,5 W;Anruf;;;;\r\n";

// A directory download: BOM, comments, blank lines, mixed line ends, own column order, a quoted comma.
inline const std::string kDirectoryList =
    "\xEF\xBB\xBF# Repeaters near Springfield, exported 2026-10-30\r\n"
    "\r\n"
    "Frequency,Location,\"Name\", Tone ,rToneFreq,Notes,Duplex,Offset,POWER\n"
    "# simplex calling channel first\n"
    "146.52,5,\"Call, 2m\",,,\"open, no tone\",,,High\r\n"
    "\n"
    "147.3 MHz,6,W1AW,Tone,100,\"club \"\"main\"\" repeater\",+,0.6,l\r"
    "145.11,7,K1ABC,TSQL,123.0,,-,0.6 MHz,0.5W\n";

// An older tool's file: 17 columns (no RxDtcsCode, CrossMode, Power, DVCODE), counted from 0.
inline const std::string kOldToolList =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL\r\n"
    "0,RPT1,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,FM,5.00,,,,,\r\n"
    "1,DCS,147.000000,+,0.600000,DTCS,67.0,88.5,754,RN,NFM,5.00,,,,,\r\n"
    "2,TSQ,146.520000,,0.000000,TSQL,88.5,141.3,023,NN,FM,5.00,,,,,\r\n";

// Cross tones and a split (two-band model); "Tone->" only other tools write, ours writes Tone.
inline const std::string kCrossList =
    kFullHeader + "\r\n"
    "4,XDD,146.520000,,0.000000,Cross,88.5,88.5,025,NR,026,DTCS->DTCS,FM,5.00,,5.0W,,,,,\r\n"
    "5,XT,146.520000,,0.000000,Cross,110.9,88.5,023,NN,023,Tone->,FM,5.00,,5.0W,,,,,\r\n"
    "9,SPLT,145.800000,split,435.800000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n";

// One row that imports (line 2), then one for each reason to refuse a row (model 136-174 MHz).
inline const std::string kRefusalList =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,CrossMode,Mode\n"
    "1,OK,146.520000,,0.000000,,,,,,,FM\n"
    "2,NOFREQ,,,,,,,,,,FM\n"
    "12,SIXM,52.525000,,,,,,,,,FM\n"
    "4,TXOUT,146.52,+,30,,,,,,,FM\n"
    "5,AM,146.52,,,,,,,,,AM\n"
    "6,WX,162.4,,,,,,,,,WFM\n"
    "7,REV,146.52,,,TSQL-R,,88.5,,,,FM\n"
    "8,REVD,146.52,,,DTCS-R,,,023,,,FM\n"
    "9,BADT,146.52,,,Tone,88.4,,,,,FM\n"
    "10,BADD,146.52,,,DTCS,,,024,,,FM\n"
    "100,HIGH,146.52,,,,,,,,,FM\n"
    "1,DUP,146.55,,,,,,,,,FM\n"
    "x,LOC,146.52,,,,,,,,,FM\n"
    "13,DUPX,146.52,plus,0.6,,,,,,,FM\n"
    "14,OFS,146.52,+,abc,,,,,,,FM\n"
    "15,POL,146.52,,,DTCS,,,023,NX,,FM\n"
    "16,XM,146.52,,,Cross,,,,,Tone->AM,FM\n"
    "17,TM,146.52,,,DCS,,,,,,FM\n";

}  // namespace qorrin::test
