#include "netlist/NetlistFormat.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "design/CodePage.h"
#include "netlist/BracketNetlist.h"
#include "netlist/NetlistFormatReaders.h"
#include "netlist/NetlistReader.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep {
namespace {

// The nets as "NAME: REF|PIN REF|PIN; ...", the reference and pin number from their
// tables, checked against the token of the net table.
std::string Nets(const Design& d) {
  std::string out;
  for (int n = 1; n <= d.NetCount; ++n) {
    if (!out.empty()) out += "; ";
    out += ToUtf8(d.NetTable.at(n, kNetName)) + ":";
    EXPECT_EQ(d.NetTable.at(n, kNetPinCount), IntText(d.pinCount(n)));
    for (const int c : d.pinColumns(n)) {
      const Text& ref = d.PinPartTable.at(n, c);
      const Text& pin = d.PinNoTable.at(n, c);
      EXPECT_EQ(d.NetTable.at(n, c), ref + u"-" + pin);
      out += " " + ToUtf8(ref) + "|" + ToUtf8(pin);
    }
  }
  return out;
}

std::string Parts(const Design& d) {
  std::string out;
  for (const SchematicPart& p : d.SchematicParts) {
    out += (out.empty() ? "" : " ") + ToUtf8(p.reference) + "=" + ToUtf8(p.value) + "@" +
           ToUtf8(p.footprint);
  }
  return out;
}

struct FormatCase {
  const char* name;
  NetlistFormat format;
  std::string file;  // UTF-8; also read as code page 932 when it holds Japanese
  std::string nets;
  std::string parts;
  NetlistDropped dropped;
};

const FormatCase kFormats[] = {
    {"kicad D",
     NetlistFormat::kKicad,
     "(export (version D)\n"
     "  (components\n"
     "    (comp (ref R1) (value 10k) (footprint Resistor_SMD:R_0603) (tstamp 1))\n"
     "    (comp (ref \"U 2\") (value \"LM358 \\\"A\\\"\") (footprint Pkg:SO-8)))\n"
     "  (nets\n"
     "    (net (code 1) (name GND) (node (ref R1) (pin 2)) (node (ref #PWR01) (pin 1))\n"
     "      (node (ref \"U 2\") (pin 4)))\n"
     "    (net (code 2) (name /電源/VCC) (node (ref U-2) (pin A.1)))\n"
     "    (net (code 3) (name \"Net-(R1-Pad1)\") (node (ref R1) (pin 1)))\n"
     "    (net (code 4) (name \"unconnected-(U2-Pad3)\") (node (ref U2) (pin 3)))\n"
     "    (net (code 5) (name PWR_FLAG) (node (ref #FLG01) (pin 1)))))\n",
     "GND: R1|2 U 2|4; /電源/VCC: U-2|A.1; Net-(R1-Pad1): R1|1",
     "R1=10k@Resistor_SMD:R_0603 U 2=LM358 \"A\"@Pkg:SO-8",
     {.flagPins = 2, .emptyNets = 1, .unconnectedNets = 1}},
    {"kicad E",
     NetlistFormat::kKicad,
     "(export (version \"E\")\n"
     "  (components (comp (ref \"C1\") (value \"100n\") (footprint \"C:C_0402\")))\n"
     "  (nets (net (code \"1\") (name \"+3V3\") (node (ref \"C1\") (pin \"1\") (pintype "
     "\"passive\")))))\n",
     "+3V3: C1|1",
     "C1=100n@C:C_0402",
     {}},
    {"legacy",
     NetlistFormat::kLegacy,
     "# EESchema Netlist Version 1.1 created  Thu Jun 21 18:15:49 2012\n"
     "(\n"
     " ( /4FC55556 $noname  T6 BALUN {Lib=BALUN}\n"
     "  (    1 N-000108 )\n"
     "  (    3 GND )\n"
     " )\n"
     " ( /4FB8333C SM0603  L2 180nH {Lib=INDUCTOR}\n"
     "  (    1 GND )\n"
     "  (    2 N-000108 )\n"
     "  (    3 ? )\n"
     " )\n"
     " ( /1 $noname #PWR1 GND\n"
     "  (    1 GND )\n"
     " )\n"
     ")\n"
     "*\n"
     "{ Pin List by Nets\n"
     "Net 1 \"GND\" \"GND\"\n"
     "}\n",
     "N-000108: T6|1 L2|2; GND: T6|3 L2|1",
     "T6=BALUN@ L2=180nH@SM0603 #PWR1=GND@",
     {.flagPins = 1, .unconnectedPins = 1}},
    {"pcb2",
     NetlistFormat::kLegacy,
     "( { OrCAD PCB II Netlist Format 2000 Time Stamp - }\n"
     " ( 00000001 DIP14 U1 74LS00\n"
     "  ( 1 CLK )\n"
     "  ( 7 GND )\n"
     " )\n"
     ")\n",
     "CLK: U1|1; GND: U1|7",
     "U1=74LS00@DIP14",
     {}},
    {"pads",
     NetlistFormat::kPads,
     "*PADS-PCB*\n"
     "*REMARK* made by hand\n"
     "*PART*\n"
     "R1 RES0603\n"
     "U1 LM358@SO8\n"
     "*NET*\n"
     "*SIGNAL* GND\n"
     "R1.2 U1.4\n"
     "U1.EP\n"
     "*SIGNAL* 制御.A\n"
     "U1.1 R1.1\n"
     "*END*\n",
     "GND: R1|2 U1|4 U1|EP; 制御.A: U1|1 R1|1",
     "R1=@RES0603 U1=LM358@SO8",
     {}},
    {"allegro",
     NetlistFormat::kAllegro,
     "(NETLIST)\n"
     "$PACKAGES\n"
     "CAPC0603 ! 'CAP_0201-150,(0201_MICRO),CAPC06,\n"
     "        03' ! '0.1uF' ; C3 C14 ,\n"
     "        C20\n"
     "SOT23 ! BSS138 ; Q1\n"
     "$NETS\n"
     "GND ; C3.2 C14.2 ,\n"
     "  C20.2 Q1.2\n"
     "'N 1' ; Q1.1 C3.1\n"
     "$END\n",
     "GND: C3|2 C14|2 C20|2 Q1|2; N 1: Q1|1 C3|1",
     "C3=0.1uF@CAPC0603 C14=0.1uF@CAPC0603 C20=0.1uF@CAPC0603 Q1=@SOT23",
     {}},
    // As netlisters write them: a "!PADS-...!" header, TAB after the reference, a decal
    // with blanks, a pin list wrapped with a lone LF inside a CR LF file.
    {"pads as written",
     NetlistFormat::kPads,
     "!PADS-POWERPCB-V3.0-MILS!\r\n"
     "\r\n"
     "*PART*\r\n"
     "C2\tsm1206\r\n"
     "CONN1\tCONNECTOR 10 2 \r\n"
     "J1 \t unknown\r\n"
     "U1\tLM358@SO8\r\n"
     "\r\n"
     "*NET*\r\n"
     "*SIGNAL* +3.3V\r\n"
     " C2.1 CONN1.12 U1.8\n"
     " U1.5 J1.1\r\n"
     "*SIGNAL* GND\r\n"
     " C2.2 CONN1.11\r\n"
     "\r\n"
     "*END*\r\n",
     "+3.3V: C2|1 CONN1|12 U1|8 U1|5 J1|1; GND: C2|2 CONN1|11",
     "C2=@sm1206 CONN1=@CONNECTOR 10 2 J1=@unknown U1=LM358@SO8",
     {}},
    {"pads header variant",
     NetlistFormat::kPads,
     "  !PADS-POWERPCB-V9.5-BASIC!\n*PART*\nR1\tRES\n*NET*\n*SIGNAL* A\nR1.1\n*END*\n",
     "A: R1|1",
     "R1=@RES",
     {}},
    // Each pin of a net on a line of its own, the lines ending in ","; "#f" is a field's
    // text like any other.
    {"allegro as written",
     NetlistFormat::kAllegro,
     "(Allegro netlister by hand)\n"
     "$PACKAGES\n"
     "sm1206! CAPACITOR! 100n; C2\n"
     "CONNECTOR 10 2! HEADER20! HEADER20; CONN1\n"
     "! #f! 2N4401; Q1\n"
     "$NETS\n"
     "+3.3V; C2.1,\n"
     " C3.2,\n"
     " Q1.5\n"
     "GND; C2.2,\r\n"
     " CONN1.11\n"
     "$END\n",
     "+3.3V: C2|1 C3|2 Q1|5; GND: C2|2 CONN1|11",
     "C2=100n@sm1206 CONN1=HEADER20@CONNECTOR 10 2 Q1=2N4401@",
     {}},
    // "(null)" stands for a missing value.
    {"pcb2 null value",
     NetlistFormat::kLegacy,
     "( { OrCAD PCB II Netlist Format 2000 Time Stamp - }\r\n"
     " ( 84DFBB8F $noname I78969 (null)  {Lib=(null)}\r\n"
     "  ( 1 VCC )\r\n"
     "  ( 2 GND )\r\n"
     " )\r\n"
     " ( 00000002 SO8 U1 LM358 {Lib=LM358}\r\n"
     "  ( 4 GND )\r\n"
     " )\r\n"
     ")\r\n",
     "VCC: I78969|1; GND: I78969|2 U1|4",
     "I78969=(null)@ U1=LM358@SO8",
     {}},
};

TEST(NetlistFormats, EachFormatFillsTheNetTablesByOneMapping) {
  for (const FormatCase& c : kFormats) {
    for (const bool cp932 : {false, true}) {
      std::string bytes = c.file;
      if (cp932) {
        const EncodeResult encoded = EncodeCp932(FromUtf8(c.file));
        ASSERT_TRUE(encoded.ok()) << c.name;
        if (encoded.bytes == c.file) continue;  // ASCII: the same file
        bytes = encoded.bytes;
      }
      Design d;
      const LoadResult r = LoadNetlistBytes(d, bytes);
      ASSERT_TRUE(r.ok()) << c.name << " " << ToUtf8(LoadFailureMessage(r, u"f"));
      EXPECT_EQ(r.format, c.format) << c.name;
      const bool nonAscii =
          std::any_of(bytes.begin(), bytes.end(), [](char b) { return (b & 0x80) != 0; });
      EXPECT_EQ(r.utf8, !cp932 && nonAscii) << c.name;
      EXPECT_EQ(Nets(d), c.nets) << c.name << (cp932 ? " cp932" : " utf-8");
      EXPECT_EQ(Parts(d), c.parts) << c.name;
      EXPECT_EQ(r.dropped.flagPins, c.dropped.flagPins) << c.name;
      EXPECT_EQ(r.dropped.emptyNets, c.dropped.emptyNets) << c.name;
      EXPECT_EQ(r.dropped.unconnectedNets, c.dropped.unconnectedNets) << c.name;
      EXPECT_EQ(r.dropped.unconnectedPins, c.dropped.unconnectedPins) << c.name;
    }
  }
  // A UTF-8 bracket netlist keeps its Japanese names; a byte-order mark means UTF-8.
  for (const std::string& bytes :
       {std::string("電源[U1-1\r\nC1-1]\r\n"), std::string("\xEF\xBB\xBF"
                                                           "電源[U1-1\r\nC1-1]\r\n")}) {
    Design d;
    const LoadResult r = LoadNetlistBytes(d, bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.format, NetlistFormat::kBracket);
    EXPECT_TRUE(r.utf8);
    EXPECT_EQ(Nets(d), "電源: U1|1 C1|1");
  }
}

TEST(NetlistFormats, BrokenFilesAreRefusedWithLineColumnAndReasonAndChangeNothing) {
  const struct {
    const char* file;
    int line;
    int column;
    const char* reason;
  } cases[] = {
      // The innermost list left open is named.
      {"(export (version D)\n (nets (net (name A) (node (ref R1) (pin 1)))\n", 2, 2,
       "「(」に対応する「)」"},
      {"(export (version D) (nets (net (name \"A) )))", 1, 38, "文字列が閉じていません"},
      {"(export (version D) (nets (net (name A) (node (pin 1)))))", 1, 41, "(ref …) がありません"},
      // A string is left open where its quote is, not where a ")" goes missing later.
      {"(export (version D)\n (nets (net (name \"A) (node (ref R1) (pin 1)))\n"
       " (net (name \"B\") (node (ref R2) (pin 1)))))\n",
       2, 19, "文字列が閉じていません"},
      {"(export (version D)))", 1, 21, "「)」があります"},
      {"(export (version D) (design))", 1, 1, "(nets …) がありません"},
      {"*PADS-PCB*\n*NET*\nR1.1\n*END*\n", 3, 1, "*SIGNAL* がありません"},
      {"*PADS-PCB*\n*NET*\n*SIGNAL* A\nR1.1 R2\n*END*\n", 4, 6, "ピン「R2」"},
      {"*PADS-PCB*\n*NET*\n*SIGNAL* A\nR1.1\n", 4, 0, "*END* がありません"},
      {"$PACKAGES\nX ! Y ; R1\n$NETS\nA ; R1.1 R1\n$END\n", 4, 10, "ピン「R1」"},
      {"$PACKAGES\nX ! 'Y ; R1\n$END\n", 2, 5, "閉じていません"},
      {"$PACKAGES\nX ! Y R1\n$END\n", 2, 0, "「;」がありません"},
      {"$PACKAGES\nX ! Y ; R1\n$NETS\nA ; R1.1\n", 4, 0, "$END がありません"},
      {"( { PCB II }\n ( 1 DIP U1\n  ( 1 )\n )\n)\n", 3, 3, "( ピン番号 ネット名 )"},
      {"( { PCB II \n ( 1 DIP U1\n )\n)\n", 1, 3, "「{」に対応する「}」"},
  };
  for (const auto& c : cases) {
    Design d;
    ASSERT_TRUE(LoadNetlistText(d, u"KEEP[R9-1]\r\n").ok());
    const LoadResult r = LoadNetlistText(d, FromUtf8(c.file));
    ASSERT_EQ(r.failure, LoadFailure::Syntax) << c.file;
    EXPECT_EQ(r.line, c.line) << c.file;
    EXPECT_EQ(r.column, c.column) << c.file;
    EXPECT_NE(ToUtf8(r.detail).find(c.reason), std::string::npos) << c.file << ToUtf8(r.detail);
    EXPECT_EQ(Nets(d), "KEEP: R9|1") << c.file;
  }
  // A file of no readable format names the formats that can be read.
  Design none;
  const LoadResult text = LoadNetlistBytes(none, "just a note\r\n");
  EXPECT_EQ(text.failure, LoadFailure::NoNets);
  EXPECT_NE(ToUtf8(LoadFailureMessage(text, u"a.txt")).find("*PADS-PCB*"), std::string::npos);
  // Nesting deeper than any netlist is refused, not followed down.
  Design d;
  EXPECT_EQ(LoadNetlistText(d, u"(export " + Text(100000, u'(')).failure, LoadFailure::Syntax);
}

TEST(NetlistFormats, MessagesQuoteAtMostSixtyCharactersOfAToken) {
  const Text token(100000, u'x');
  const Text quoted = Text(kQuoteLimit, u'x') + u"…";
  for (const Text& file : {u"*PADS-PCB*\n*NET*\n*SIGNAL* A\n" + token + u"\n*END*\n",
                           u"$PACKAGES\n$NETS\nA ; " + token + u"\n$END\n"}) {
    Design d;
    const LoadResult r = LoadNetlistText(d, file);
    ASSERT_EQ(r.failure, LoadFailure::Syntax);
    EXPECT_LT(LoadFailureMessage(r, u"f").size(), 200u);
    EXPECT_NE(r.detail.find(quoted), Text::npos) << ToUtf8(r.detail);
  }
  Design d;
  ASSERT_TRUE(
      LoadNetlistText(d, u"*PADS-PCB*\n*NET*\n*SIGNAL* [" + token + u"\nR1.1\n*END*\n").ok());
  const BracketNetlist refused = BracketNetlistText(d, false);
  ASSERT_TRUE(refused.refused);
  EXPECT_LT(refused.refused->size(), 100u);
}

TEST(NetlistFormats, AReferenceListedTwiceIsNamedInAWarning) {
  Design d;
  const LoadResult r = LoadNetlistText(
      d,
      u"(export (version D) (components (comp (ref R1) (footprint A)) (comp (ref R1) "
      u"(footprint B)) (comp (ref C1)) (comp (ref C1)) (comp (ref C1)))"
      u" (nets (net (name N) (node (ref R1) (pin 1)))))");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.warning,
            u"部品番号「R1」が部品の一覧に 2 回以上あります（ほかに 1 個）。"
            u"フットプリントは最初のものを使います。");
  EXPECT_NE(NetlistLoadedStatus(u"f", r, 1).find(r.warning), Text::npos);
  EXPECT_TRUE(LoadNetlistText(d, FromUtf8(kFormats[0].file)).warning.empty());
}

TEST(NetlistFormats, LimitsAreThoseOfTheBracketFormat) {
  // 1001 nets of one pin: 2002 line slots already; 999 nets of two pins fit.
  const auto pads = [](int nets, int pins) {
    std::string f = "*PADS-PCB*\n*NET*\n";
    for (int n = 1; n <= nets; ++n) {
      f += "*SIGNAL* N" + std::to_string(n) + "\n";
      for (int p = 1; p <= pins; ++p) f += "R" + std::to_string(n) + "." + std::to_string(p) + "\n";
    }
    return f + "*END*\n";
  };
  const struct {
    int nets, pins;
    LoadFailure failure;
    int line;
  } cases[] = {
      {666, 2, LoadFailure::None, 0},
      {667, 2, LoadFailure::TooManyLineSlots, 2003},  // slot 2001: the 667th net's second pin
      {1, 399, LoadFailure::None, 0},
      {1, 400, LoadFailure::TooManyPins, 403},
  };
  for (const auto& c : cases) {
    Design d;
    const LoadResult r = LoadNetlistText(d, FromUtf8(pads(c.nets, c.pins)));
    EXPECT_EQ(r.failure, c.failure) << c.nets << "x" << c.pins;
    EXPECT_EQ(r.line, c.line) << c.nets << "x" << c.pins;
    EXPECT_EQ(d.NetCount, r.ok() ? c.nets : 0);
    // Past the standard tables, the file is measured in the large ones and loads there.
    EXPECT_EQ(r.needs.fitsLarge, !r.ok()) << c.nets << "x" << c.pins;
    if (!r.ok()) {
      EXPECT_TRUE(LoadNetlistText(d, FromUtf8(pads(c.nets, c.pins)), kLargeCapacity).ok());
      EXPECT_EQ(d.NetCount, c.nets);
    }
  }
}

TEST(NetlistFormats, AFileFarPastTheTablesIsRefusedWhereItPassesThem) {
  // One net of 2 M pins and no end: a reader that read the whole file would fail on its
  // end, not at the 400th pin. The second pin is on line `first`, each next `step` on.
  constexpr int kPins = 2000000;
  const struct {
    const char* name;
    TextView head;
    TextView pin;
    int first, step;
  } cases[] = {
      {"pads", u"*PADS-PCB*\n*NET*\n*SIGNAL* N\nR0.1\n", u"R1.1\n", 5, 1},
      {"allegro", u"$PACKAGES\n$NETS\nN ; R0.1,\n", u" R1.1,\n", 4, 1},
      {"kicad", u"(export (version D)\n(nets (net (code 1) (name N)\n(node (ref R0) (pin 1))\n",
       u"(node (ref R1) (pin 1))\n", 4, 1},
      {"legacy", u"( { PCB2 }\n ( 0 DIP R0 V\n  ( 1 N )\n )\n", u" ( 0 DIP R1 V\n  ( 1 N )\n )\n",
       6, 3},
  };
  for (const auto& c : cases) {
    Text file(c.head);
    file.reserve(c.head.size() + c.pin.size() * kPins);
    for (int k = 1; k < kPins; ++k) file += c.pin;
    Design d;
    const LoadResult r = LoadNetlistText(d, file);
    EXPECT_EQ(r.failure, LoadFailure::TooManyPins) << c.name << ToUtf8(r.detail);
    EXPECT_EQ(r.line, c.first + c.step * (kStandardCapacity.pinsPerNet - 1)) << c.name;
    EXPECT_EQ(ToUtf8(r.needs.net), "N") << c.name;
    // Measured in the large tables, which it passes too.
    EXPECT_FALSE(r.needs.fitsLarge) << c.name;
  }
  // Lists and atoms past the parser's budget are refused where the budget runs out.
  const TextView head = u"(export (version D) (design ";
  Text atoms(head);
  for (int k = 0; k < kPins; ++k) atoms += u"x ";
  Design d;
  const LoadResult r = LoadNetlistText(d, atoms);
  EXPECT_EQ(r.failure, LoadFailure::Syntax);
  EXPECT_NE(ToUtf8(r.detail).find("項目が多すぎます"), std::string::npos);
  // (export and (design held with their heads, then atoms up to the budget.
  EXPECT_EQ(r.column, static_cast<int>(head.size() + 2 * (kSExprNodeBudget - 4)) + 1);
}

TEST(NetlistFormats, TheBracketFormatOfAnyNetlistReadsBackTheSame) {
  Design kicad;
  ASSERT_TRUE(LoadNetlistText(kicad, FromUtf8(kFormats[0].file)).ok());
  // "U-2" and the pin "A.1" hold the format's separator.
  const BracketNetlist refused = BracketNetlistText(kicad, false);
  ASSERT_TRUE(refused.refused);
  EXPECT_EQ(ToUtf8(*refused.refused), "部品番号「U-2」: 「-」");
  EXPECT_TRUE(refused.text.empty());

  const BracketNetlist safe = BracketNetlistText(kicad, true);
  ASSERT_FALSE(safe.refused);
  ASSERT_EQ(safe.changes.size(), 1u);
  EXPECT_EQ(ToUtf8(safe.changes[0].after), "U_2");
  EXPECT_EQ(ToUtf8(safe.text),
            "GND[R1-2\r\nU 2-4]\r\n/電源/VCC[U_2-A.1]\r\nNet-(R1-Pad1)[R1-1]\r\n");
  Design back;
  ASSERT_TRUE(LoadNetlistText(back, safe.text).ok());
  EXPECT_EQ(Nets(back), "GND: R1|2 U 2|4; /電源/VCC: U_2|A.1; Net-(R1-Pad1): R1|1");

  Design names;
  ASSERT_TRUE(LoadNetlistText(names, FromUtf8("*PADS-PCB*\n*NET*\n*SIGNAL* A[1],\"x\"\nR1.1\n"
                                              "*SIGNAL* µ\nR1.2\n*END*\n"))
                  .ok());
  EXPECT_EQ(ToUtf8(*BracketNetlistText(names, false).refused), "ネット名「A[1],\"x\"」: 「[」");
  EXPECT_EQ(ToUtf8(BracketNetlistText(names, true).text), "A_1___x_[R1-1]\r\n_[R1-2]\r\n");
}

TEST(NetlistFormats, ConvertNeverChangesANameSilently) {
  // Written and read back, these become other characters; these stay themselves.
  for (const TextView c : {u"〜", u"−", u"‖", u"¥", u"‾", u"¬"}) {
    EXPECT_FALSE(EncodeCp932(u"a" + Text(c)).ok()) << ToUtf8(c);
  }
  EXPECT_TRUE(EncodeCp932(u"～①－∥").ok());

  const auto kicad = [](const char* nets) {
    return FromUtf8(std::string("(export (version D) (nets ") + nets + "))");
  };
  const struct {
    const char* nets;
    const char* refused;
  } refusals[] = {
      {"(net (name 波〜) (node (ref U1) (pin 1)))",
       "ネット名「波〜」: Shift_JIS で書けない文字「〜」"},
      {"(net (name A) (node (ref \" U1\") (pin 1)))", "部品番号「 U1」: 先頭の空白"},
      {"(net (name A) (node (ref U1) (pin \"1\\t2\")))", "ピン番号「1\t2」: 制御文字 U+0009"},
      // The written file would begin as a KiCad netlist does.
      {"(net (name \"(export\") (node (ref U1) (pin 1)))",
       "ネット名「(export」: ファイルが別の形式のネットリストの始まりになります"},
  };
  for (const auto& c : refusals) {
    Design d;
    ASSERT_TRUE(LoadNetlistText(d, kicad(c.nets)).ok()) << c.nets;
    const BracketNetlist bracket = BracketNetlistText(d, false);
    ASSERT_TRUE(bracket.refused) << c.nets;
    EXPECT_EQ(ToUtf8(*bracket.refused), c.refused);
  }
  // A replacement that is another name of its kind is made unique, never merged.
  Design d;
  ASSERT_TRUE(LoadNetlistText(d, kicad("(net (name A[1]) (node (ref U-2) (pin 1)) (node (ref U1) "
                                       "(pin 1-2)) (node (ref U1) (pin 1_2)))"
                                       "(net (name A_1_) (node (ref U_2) (pin 1)))"))
                  .ok());
  const BracketNetlist safe = BracketNetlistText(d, true);
  ASSERT_FALSE(safe.refused);
  EXPECT_EQ(ToUtf8(safe.text), "A_1__2[U_2_2-1\r\nU1-1_2_2\r\nU1-1_2]\r\nA_1_[U_2-1]\r\n");
  std::string changes;
  for (const NameChange& c : safe.changes)
    changes += ToUtf8(c.before) + ">" + ToUtf8(c.after) + " ";
  EXPECT_EQ(changes, "A[1]>A_1__2 U-2>U_2_2 1-2>1_2_2 ");
}

TEST(NetlistFormats, FootprintsFromTheNetlistGiveSymbolNamesOnRequest) {
  Design d;
  ASSERT_TRUE(LoadNetlistText(d, FromUtf8(kFormats[0].file)).ok());
  const auto symbols = [&d](bool fromNetlist) {
    AssignSymbolNames(d, InitialSymbolSizes(), fromNetlist);
    std::map<std::string, std::string> out;
    for (int k = 1; k <= d.PartCount; ++k) {
      out[ToUtf8(d.PartTable.at(k, kPartRef))] = ToUtf8(d.PartTable.at(k, kPartSymbol));
    }
    return out;
  };
  const auto byRule = symbols(false);
  const auto fromNetlist = symbols(true);
  EXPECT_EQ(byRule.at("R1"), ToUtf8(SymbolNameFor(u"R1", InitialSymbolSizes())));
  EXPECT_EQ(fromNetlist.at("R1"), "R_0603");
  EXPECT_EQ(fromNetlist.at("U 2"), "SO-8");
  // U-2 has no footprint in the file: it keeps the rule by reference.
  EXPECT_EQ(fromNetlist.at("U-2"), byRule.at("U-2"));
  EXPECT_EQ(ToUtf8(FootprintSymbolName(u"Lib:Name:x")), "Name:x");
  EXPECT_EQ(ToUtf8(FootprintSymbolName(u"SO-8")), "SO-8");
}

// The real boards of ../shared/netlists, when they are there.
TEST(NetlistFormats, RealBoardsGiveTheirCounts) {
  // Beside the project, or where PCBPREP_SHARED_NETLISTS says.
  const char* elsewhere = std::getenv("PCBPREP_SHARED_NETLISTS");
  const std::filesystem::path dir =
      elsewhere ? std::filesystem::path(elsewhere)
                : std::filesystem::path(PCBPREP_EXAMPLES_DIR) / ".." / ".." / "shared" / "netlists";
  if (!std::filesystem::exists(dir)) GTEST_SKIP() << dir << " is not here";
  const struct {
    const char* file;
    NetlistFormat format;
    int nets, pins, parts;
    const char* largest;
    int largestPins;
  } boards[] = {
      {"ESP32-PoE_Rev_L1.net", NetlistFormat::kKicad, 125, 443, 134, "GND", 65},
      {"marzipan.net", NetlistFormat::kKicad, 378, 1347, 413, "GND", 269},
      {"lollipop.net", NetlistFormat::kLegacy, 110, 420, 126, "GND", 106},
      {"servo_original.rpt", NetlistFormat::kAllegro, 90, 377, 71, "GND", 89},
  };
  for (const auto& b : boards) {
    std::ifstream in(dir / b.file, std::ios::binary);
    if (!in) GTEST_SKIP() << b.file << " is not here";
    std::stringstream bytes;
    bytes << in.rdbuf();
    Design d;
    const LoadResult r = LoadNetlistBytes(d, bytes.str());
    ASSERT_TRUE(r.ok()) << b.file << ToUtf8(LoadFailureMessage(r, u""));
    EXPECT_EQ(r.format, b.format) << b.file;
    EXPECT_EQ(d.NetCount, b.nets) << b.file;
    EXPECT_EQ(r.totalPins, b.pins) << b.file;
    EXPECT_EQ(d.pinReferences().size(), static_cast<std::size_t>(b.parts)) << b.file;
    EXPECT_EQ(ToUtf8(r.largestNet), b.largest) << b.file;
    int most = 0;
    for (int n = 1; n <= d.NetCount; ++n) most = std::max(most, d.pinCount(n));
    EXPECT_EQ(most, b.largestPins) << b.file;
  }
}

}  // namespace
}  // namespace pcbprep
