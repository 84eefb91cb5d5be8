// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "actions/final_circuit_action.h"
#include "actions/verify_action.h"
#include "engine/design/fault.h"
#include "tests/known_messages.h"
#include "tests/support.h"

namespace classe {
namespace {

using namespace testing;

const std::string kNoNetworkMessage(kBandMessages[1]);

struct Circuit {
  RecordingControls ui = Fields();
  DesignState s;

  Outcome show(const char* RL) {
    ui.setText(form1::Text7, RL);
    ui.clearMessages();
    return ShowFinalCircuit(s, ui);
  }
  std::string caption(Control label) { return Caption(ui, label); }
  bool visible(Control control) { return ui.visible(control).value_or(false); }
  // Rows L2, C and the L/LF value with the two captions, as one string.
  std::string rows() {
    std::string out;
    for (Control c :
         {form3::Label4, form3::Label5, form3::Label6, form3::Label17, form3::Label15}) {
      out += visible(c) ? '1' : '0';
    }
    return out;
  }
  std::string picture() {
    for (Control p : {form3::Picture1, form3::Picture2, form3::Picture3}) {
      if (visible(p)) return std::string(p.name);
    }
    return "none";
  }
};

TEST(FinalCircuit, DefaultsMergeL2AndLIntoLF) {
  Circuit c;
  EXPECT_EQ(c.show("50"), Outcome::Done);
  EXPECT_TRUE(c.ui.shown(Window::Form3));
  EXPECT_EQ(c.picture(), "Picture1");
  EXPECT_EQ(c.rows(), "01101");  // L2 hidden, C and LF shown
  EXPECT_TRUE(c.visible(form3::Label1) && c.visible(form3::Label2) && c.visible(form3::Label3) &&
              c.visible(form3::Label7));
  EXPECT_EQ(c.caption(form3::Label7), "5.000E+01");
  EXPECT_EQ(c.caption(form3::Label1), "3.92E+01");
  EXPECT_EQ(c.caption(form3::Label2), "8.077E+02");
  EXPECT_EQ(c.caption(form3::Label3), "1.545E+03");
  EXPECT_EQ(c.caption(form3::Label6), "2.205 E+00");  // 1.43944 + 0.76578 µH
  EXPECT_EQ(c.caption(form3::Label5), "1.693 E+03");
  EXPECT_TRUE(c.ui.messages().empty());
}

TEST(FinalCircuit, TheStageRowsShowInEveryCase) {
  for (const char* RL : {"50", "9", "5"}) {
    Circuit c;
    c.show(RL);
    for (Control row : {form3::Label8, form3::Label1, form3::Label9, form3::Label10, form3::Label2,
                        form3::Label25, form3::Label11, form3::Label3, form3::Label12,
                        form3::Label20, form3::Label7, form3::Label21}) {
      EXPECT_TRUE(c.visible(row)) << RL << " " << row.name;
    }
    // A network shows its C with caption and unit, and the inductor's unit.
    const bool network = std::string(RL) != "9";
    for (Control row : {form3::Label18, form3::Label19, form3::Label16})
      EXPECT_EQ(c.visible(row), network) << RL << " " << row.name;
    EXPECT_EQ(c.visible(form3::Label13), !network || std::string(RL) == "5");
    EXPECT_EQ(c.visible(form3::Label14), !network || std::string(RL) == "5");
  }
}

TEST(FinalCircuit, LoadWithinTheBandNeedsNoNetwork) {
  Circuit c;
  EXPECT_EQ(c.show("9"), Outcome::Done);
  EXPECT_EQ(Messages(c.ui), std::vector<std::string>{kNoNetworkMessage});
  EXPECT_EQ(c.picture(), "Picture3");
  EXPECT_EQ(c.rows(), "10000");
  EXPECT_EQ(c.caption(form3::Label4), "1.439 E+00");
}

TEST(FinalCircuit, LoadBelowRKeepsL2WithCAndL) {
  Circuit c;
  EXPECT_EQ(c.show("5"), Outcome::Done);
  EXPECT_EQ(c.picture(), "Picture2");
  EXPECT_EQ(c.rows(), "11110");
  EXPECT_EQ(c.caption(form3::Label4), "1.439E+00");  // no blank in this case
  EXPECT_EQ(c.caption(form3::Label6), "1.789E-01");
  EXPECT_EQ(c.caption(form3::Label5), "3.957E+03");
}

TEST(FinalCircuit, AnEmptyLoadIsRejectedWithoutAWindow) {
  Circuit c;
  EXPECT_EQ(c.show(""), Outcome::Rejected);
  EXPECT_EQ(Messages(c.ui), std::vector<std::string>{"Hai dimenticato di scrivere il valore della "
                                                     "resistenza di carico effettiva RL  "});
  EXPECT_FALSE(c.ui.loaded(Window::Form3));
}

TEST(FinalCircuit, TheSampleCountPlaysNoPart) {
  Circuit c;
  c.ui.setText(form1::Text9, "");
  EXPECT_EQ(c.show("50"), Outcome::Done);
}

TEST(FinalCircuit, AFaultLeavesTheWindowOpenAsItWas) {
  Circuit c;
  c.show("50");
  c.ui.setText(form1::Text5, "0");  // Vcc = Von = 0: R = 0, then C1 divides by zero
  EXPECT_EQ(c.show("50"), Outcome::Fault);
  EXPECT_EQ(Messages(c.ui),
            std::vector<std::string>{FaultMessage(FaultKind::DivisionByZero, "C1")});
  EXPECT_EQ(c.caption(form3::Label6), "2.205 E+00");
}

TEST(Verification, GivesTheTangentAndThePower) {
  const std::array<const char*, 3> cases[] = {{"50", "1.152E+00", "5.002E+01"},
                                              {"5", "1.152E+00", "5.002E+01"},
                                              {"9", "1.158E+00", "4.999E+01"},
                                              {"8.6", "1.212E+00", "4.961E+01"},
                                              {"9.5", "1.152E+00", "5.002E+01"}};
  for (const auto& [RL, tgPsi, power] : cases) {
    Circuit c;
    c.show(RL);
    EXPECT_EQ(VerifyCircuit(c.s, c.ui), Outcome::Done);
    EXPECT_EQ(c.caption(form3::Label22) + ' ' + c.caption(form3::Label23),
              std::string(tgPsi) + ' ' + power)
        << RL;
  }
}

TEST(Verification, ANetworkTurnsRLIntoExactlyR) {
  for (const char* RL : {"50", "5", "9.5", "1000"}) {
    Circuit c;
    c.show(RL);
    VerifyCircuit(c.s, c.ui);
    EXPECT_NEAR(c.s.ZRe, c.s.R, 1e-9 * c.s.R) << RL;
    EXPECT_NEAR(c.s.TgPsi, 1.152, 1e-9) << RL;
  }
  Circuit none;
  none.show("9");
  VerifyCircuit(none.s, none.ui);
  EXPECT_EQ(none.s.ZRe, 9);
  EXPECT_NEAR(none.s.ZIm, 10.419, 0.0005);
}

TEST(Verification, ReadsTheFieldsAtTheClickAndKeepsLabelsOnAFault) {
  Circuit c;
  c.show("50");
  VerifyCircuit(c.s, c.ui);
  c.ui.setText(form1::Text1, "");  // Po = 0: R divides by zero
  EXPECT_EQ(VerifyCircuit(c.s, c.ui), Outcome::Fault);
  EXPECT_EQ(c.caption(form3::Label22), "1.152E+00");
  EXPECT_EQ(c.caption(form3::Label23), "5.002E+01");
}

}  // namespace
}  // namespace classe
