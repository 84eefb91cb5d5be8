// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "actions/graph_action.h"
#include "actions/peak_action.h"
#include "engine/design/fault.h"
#include "engine/design/sample_budget.h"
#include "engine/design/sampling.h"
#include "tests/support.h"

namespace classe {
namespace {

using namespace testing;

TEST(PeakAction, CaptionsShowTheLargestSamples) {
  // M, Von, then the peaks of Vc1, Isw and Ir.
  const std::array<const char*, 5> rows[] = {
      {"1000", "0", "9.974E+01", "5.111E+00", "3.325E+00"},
      {"10000", "0", "9.974E+01", "5.111E+00", "3.325E+00"},
      {"1e3", "0", "9.974E+01", "5.111E+00", "3.325E+00"},
      // Samples at multiples of π/2.
      {"8", "0", "8.796E+01", "4.591E+00", "2.805E+00"},
      // Two samples, 0 and 4π: 0 V, then Von; 2·IDC; −IDC twice.
      {"1", "0", "0.000E+00", "3.571E+00", "-1.786E+00"},
      // The voltage peak does not depend on Von; the currents use Vcc.
      {"1000", "2", "9.974E+01", "5.927E+00", "3.856E+00"}};
  for (const auto& [M, Von, vc1, isw, ir] : rows) {
    RecordingControls ui = Fields({{form1::Text9, M}, {form1::Text4, Von}});
    DesignState s;
    EXPECT_EQ(ShowPeakValues(s, ui), Outcome::Done);
    EXPECT_EQ(Caption(ui, form1::Label43) + ' ' + Caption(ui, form1::Label41) + ' ' +
                  Caption(ui, form1::Label37),
              std::string(vc1) + ' ' + isw + ' ' + ir)
        << M;
    EXPECT_TRUE(ui.messages().empty());
  }
}

TEST(PeakAction, SampleCountRoundsHalfToEven) {
  RecordingControls ui = Fields({{form1::Text9, "2.5"}});
  DesignState s;
  ShowPeakValues(s, ui);
  EXPECT_EQ(s.M, 2);
  EXPECT_EQ(s.Vc1Samples.size(), 5u);
}

TEST(PeakAction, LeavesThreeArraysAndKeepsTheGraphsCapacitorCurrent) {
  DesignState s;
  RecordingControls ui = Fields();
  ASSERT_EQ(ShowGraphs(s, ui), Outcome::Done);  // M = 1000, all four
  ui.setText(form1::Text9, "2000");
  ASSERT_EQ(ShowPeakValues(s, ui), Outcome::Done);
  EXPECT_EQ(s.Vc1Samples.size(), 2003u);
  EXPECT_EQ(s.IswSamples.size(), 2003u);
  EXPECT_EQ(s.IrSamples.size(), 2003u);
  EXPECT_EQ(s.Ic1Samples.size(), 1003u);
  // A scan of the shorter array stops at its end.
  EXPECT_NO_FATAL_FAILURE(FindIc1Max(s));
  EXPECT_NEAR(s.Ic1max, 2 * s.IDC, 1e-9);
}

TEST(PeakAction, ZeroSamplesIsAnInvalidFirstAngle) {
  for (const char* M : {"0", "0.4", "0.5"}) {
    RecordingControls ui = Fields({{form1::Text9, M}});
    DesignState s;
    EXPECT_EQ(ShowPeakValues(s, ui), Outcome::Fault);
    EXPECT_EQ(Messages(ui),
              std::vector<std::string>{FaultMessage(FaultKind::InvalidOperation, "teta")});
    EXPECT_FALSE(ui.caption(form1::Label43));
    EXPECT_EQ(s.Vc1Samples, SampleArray(3, 0.0));
  }
}

TEST(PeakAction, NegativeCountIsRefusedBeforeAnythingChanges) {
  for (const char* M : {"-1", "-2", "-1000"}) {
    RecordingControls ui = Fields({{form1::Text9, M}});
    DesignState s;
    EXPECT_EQ(ShowPeakValues(s, ui), Outcome::Refused);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_TRUE(ui.messages()[0].fault);
    EXPECT_EQ(s.Po, 0);  // not even the design ran
    EXPECT_TRUE(s.Vc1Samples.empty());
    EXPECT_TRUE(ui.captions().empty());
  }
}

TEST(PeakAction, CountBeyondThirtyTwoBitsIsAnOverflowAfterTheDesign) {
  RecordingControls ui = Fields({{form1::Text9, "1e10"}});
  DesignState s;
  EXPECT_EQ(ShowPeakValues(s, ui), Outcome::Fault);
  EXPECT_EQ(Messages(ui), std::vector<std::string>{FaultMessage(FaultKind::Overflow, "M")});
  EXPECT_EQ(s.Po, 50);
  EXPECT_TRUE(s.Vc1Samples.empty());
}

TEST(SampleCount, ArraysMustStayAddressableUpToMPlusTwo) {
  DesignState s;
  EXPECT_NO_THROW(SetSampleCount(s, "2147483645"));
  EXPECT_EQ(s.M, 2147483645);
  EXPECT_THROW(SetSampleCount(s, "2147483646"), ArithmeticFault);
  EXPECT_EQ(s.M, 2147483645);
}

TEST(SampleCount, RefusedWhenTheArraysWouldNotFitInMemory) {
  const std::uint64_t gib = std::uint64_t{1} << 30;
  // Three arrays of 8 bytes a sample: 10^8 samples take 2.4 GB.
  EXPECT_TRUE(SampleCountRefusal(100000000, 24, 0, gib));
  EXPECT_FALSE(SampleCountRefusal(100000000, 24, 0, 4 * gib));
  // Memory the old arrays hold is given back before the new ones are made.
  EXPECT_FALSE(SampleCountRefusal(100000000, 24, 2 * gib, 2 * gib));
  EXPECT_FALSE(SampleCountRefusal(1000, 40, 0, std::nullopt));
  // What is left after the gibibyte kept for the rest of the program.
  EXPECT_EQ(SampleCountRefusal(100000000, 24, gib / 2, 2 * gib),
            "Il numero di campioni M è troppo grande: i campioni richiederebbero 2289 MB di "
            "memoria, ma ne sono disponibili soltanto 1536 MB.");
  // A byte over a whole megabyte counts as one more.
  EXPECT_NE(SampleCountRefusal(100000000, 24, gib / 2, 2 * gib + 1)->find("soltanto 1537 MB"),
            std::string::npos);
  // The graph's 16-byte drawing point counts beside the four arrays: 48 bytes
  // for each of 2^31 indices (refused wherever less than 97 GiB is free).
  const std::string needed = "richiederebbero 98304 MB";
  const std::string graph =
      SampleCountRefusal("2147483645", kAllWaveforms, DesignState{}, 16).value_or(needed);
  EXPECT_NE(graph.find(needed), std::string::npos) << graph;
}

TEST(SampleCount, EachArrayTakesEightBytesASample) {
  EXPECT_EQ((WaveformSet{.Isw = true}.count()), 1);
  EXPECT_EQ((WaveformSet{.Vc1 = true, .Ic1 = true}.count()), 2);
  EXPECT_EQ(kPeakWaveforms.count(), 3);
  EXPECT_EQ(kAllWaveforms.count(), 4);
}

TEST(SampleCount, TheArraysHeldAreCountedByCapacity) {
  DesignState s;
  s.Vc1Samples.reserve(10);
  s.IswSamples.reserve(1000);
  s.Ic1Samples.reserve(100000);
  s.IrSamples.reserve(3);
  EXPECT_EQ(HeldBytes(s, {.Vc1 = true, .Isw = true}), 8u * 1010);
  EXPECT_EQ(HeldBytes(s, {.Isw = true, .Ic1 = true}), 8u * 101000);
  EXPECT_EQ(HeldBytes(s, kAllWaveforms), 8u * 101013);
  EXPECT_EQ(HeldBytes(s, {.Vc1 = true}), 8u * 10);
}

TEST(AvailableMemory, TheSmallerOfTheSystemAndTheCgroupLimit) {
  const std::filesystem::path folder =
      std::filesystem::path(::testing::TempDir()) / ("classe-memory-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  auto write = [&](const char* name, const char* text) { std::ofstream(folder / name) << text; };
  write("meminfo", "MemTotal: 8000 kB\nMemFree: 100 kB\nMemAvailable: 4000 kB\n");
  const MemorySources sources{(folder / "meminfo").string(), folder.string()};
  // No cgroup files: the system's figure alone.
  EXPECT_EQ(AvailableMemoryBytes(sources), 4000u * 1024);
  write("memory.max", "1048576\n");
  write("memory.current", "24576\n");
  EXPECT_EQ(AvailableMemoryBytes(sources), 1048576u - 24576);
  write("memory.max", "max\n");
  EXPECT_EQ(AvailableMemoryBytes(sources), 4000u * 1024);
  write("memory.max", "lots\n");
  EXPECT_EQ(AvailableMemoryBytes(sources), 4000u * 1024);
  write("memory.max", "1048576k\n");  // a number that does not end the line is no limit
  EXPECT_EQ(AvailableMemoryBytes(sources), 4000u * 1024);
  // Over its limit already: nothing left.
  write("memory.max", "1000\n");
  EXPECT_EQ(AvailableMemoryBytes(sources), 0u);
  EXPECT_EQ(AvailableMemoryBytes({"/nonexistent/meminfo", "/nonexistent"}), std::nullopt);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace classe
