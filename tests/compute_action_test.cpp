// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/compute_action.h"
#include "actions/matching_action.h"
#include "design/fault.h"
#include "tests/support.h"

namespace classe {
namespace {

using testing::Caption;
using testing::Fields;
using testing::Messages;

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

TEST(ComputeAction, ARejectedFieldChangesNothingButShowsOneMessage) {
  struct Case {
    std::vector<std::pair<Control, const char*>> fields;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{{form1::Text1, ""}, {form1::Text2, ""}, {form1::Text3, ""}, {form1::Text7, ""}},
       "Hai dimenticato di scrivere la potenza di uscita Po"},
      {{{form1::Text4, "x"}, {form1::Text1, ""}},
       "Hai dimenticato di scrivere la potenza di uscita Po"},
      {{{form1::Text2, "4,5"}},
       "Errore di inserimento dati per la frequenza di funzionamento f. Puoi scrivere soltanto "
       "numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad "
       "es: 1.23 , 1E-5 , 5E3"},
  };
  for (const Case& c : cases) {
    RecordingControls ui = Fields();
    for (const auto& [control, text] : c.fields)
      ui.setText(control, text);
    DesignState s;
    s.R = 123;
    EXPECT_EQ(ComputeComponents(s, ui), Outcome::Rejected);
    EXPECT_EQ(Messages(ui), std::vector<std::string>{c.message});
    EXPECT_TRUE(ui.captions().empty());
    EXPECT_TRUE(ui.visibilities().empty());
    EXPECT_EQ(s.R, 123);
    EXPECT_EQ(s.Po, 0);
  }
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
