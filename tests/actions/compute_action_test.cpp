// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/compute_action.h"
#include "actions/matching_action.h"
#include "engine/design/fault.h"
#include "tests/support.h"

namespace classe {
namespace {

using namespace testing;

constexpr Control kMatchingControls[] = {form1::Command2, form1::Label29, form1::Label30,
                                         form1::Label31,  form1::Label32, form1::Label33,
                                         form1::Label34};

TEST(ComputeAction, DefaultsGiveTheSixResultTexts) {
  RecordingControls ui = Fields();
  DesignState s;
  EXPECT_EQ(ComputeComponents(s, ui), Outcome::Done);
  EXPECT_EQ(Caption(ui, form1::Label11), "9.044E+00");
  EXPECT_EQ(Caption(ui, form1::Label12), "3.92E+01");
  EXPECT_EQ(Caption(ui, form1::Label13), "8.077E+02");
  EXPECT_EQ(Caption(ui, form1::Label14), "1.545E+03");
  EXPECT_EQ(Caption(ui, form1::Label15), "1.439 E+00");
  EXPECT_EQ(Caption(ui, form1::Label39), "1.786E+00");
  EXPECT_FALSE(*ui.visible(form1::Image2));
  EXPECT_FALSE(*ui.visible(form1::Image3));
  for (Control control : kMatchingControls)
    EXPECT_TRUE(ui.visible(control).value_or(false)) << control.name;
  EXPECT_TRUE(ui.messages().empty());
}

TEST(ComputeAction, LexicallyOddTextsAreReadByTheirLeadingNumber) {
  RecordingControls ui =
      Fields({{form1::Text1, "1.2.3"}, {form1::Text3, "."}, {form1::Text6, "3.5"}});
  DesignState s;
  // Q = 0 gives L2 = 0 and a fault in C0: what came before is stored.
  EXPECT_EQ(ComputeComponents(s, ui), Outcome::Fault);
  EXPECT_EQ(s.Po, 1.2);
  EXPECT_EQ(s.Q, 0);
  EXPECT_EQ(s.N, 4);
  ui.setText(form1::Text1, "5E3");
  ui.setText(form1::Text3, "4");
  EXPECT_EQ(ComputeComponents(s, ui), Outcome::Done);
  EXPECT_EQ(s.Po, 5000);
}

TEST(ComputeAction, AFaultIsReportedAndLeavesTheResultsAsTheyWere) {
  RecordingControls ui = Fields();
  DesignState s;
  ASSERT_EQ(ComputeComponents(s, ui), Outcome::Done);
  RecordingControls faulty = Fields({{form1::Text1, "0"}});
  EXPECT_EQ(ComputeComponents(s, faulty), Outcome::Fault);
  EXPECT_EQ(Messages(faulty),
            std::vector<std::string>{"Errore di calcolo: divisione per zero nel calcolo di R."});
  EXPECT_TRUE(faulty.messages()[0].fault);
  // The pictures are hidden before the design runs; nothing else is written.
  EXPECT_FALSE(*faulty.visible(form1::Image2));
  EXPECT_FALSE(faulty.caption(form1::Label11));
  EXPECT_FALSE(faulty.visible(form1::Command2));
  EXPECT_NEAR(s.R, 9.044238, 1e-6);
}

TEST(ComputeAction, ASecondComputeHidesThePicturesButKeepsLAndC) {
  RecordingControls ui = Fields();
  DesignState s;
  ComputeComponents(s, ui);
  ShowMatchingNetwork(s, ui);
  ASSERT_TRUE(*ui.visible(form1::Image2));
  ComputeComponents(s, ui);
  EXPECT_FALSE(*ui.visible(form1::Image2));
  EXPECT_FALSE(*ui.visible(form1::Image3));
  EXPECT_EQ(Caption(ui, form1::Label29), "7.658E-01");
  EXPECT_EQ(Caption(ui, form1::Label30), "1.693E+03");
}

}  // namespace
}  // namespace classe
