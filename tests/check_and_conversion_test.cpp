// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cfenv>
#include <clocale>
#include <cmath>
#include <string>

#include "design/design_state.h"
#include "design/display_format.h"
#include "design/fault.h"
#include "actions/input_fields.h"
#include "actions/recording_controls.h"
#include "design/text_input.h"
#include "tests/support.h"

namespace classe {
namespace {

using testing::Fields;
using testing::Messages;

// CheckNumber shows the state's messages, so give it recognisable ones.
int16_t Check(const std::string& text, RecordingControls& ui) {
  DesignState s;
  s.MsgMissing = "missing";
  s.MsgInvalid = "invalid";
  s.InputError = 7;  // must be reset on entry
  CheckNumber(s, text, ui);
  return s.InputError;
}

TEST(CheckNumber, AcceptsOnlyDigitsAndTheFiveNumberCharacters) {
  // The check is lexical only: malformed numbers pass and are left to Val.
  for (const char* text :
       {"50", "1.2.3", ".", "E", "-", "5E3", "1e-5", "+-.eE0123456789", "12-3"}) {
    RecordingControls ui;
    EXPECT_EQ(Check(text, ui), 0) << text;
    EXPECT_TRUE(ui.messages().empty()) << text;
  }
}

TEST(CheckNumber, RejectsAnythingElseWithTheInvalidMessage) {
  for (const char* text : {" 5", "5 ", "4,5", "abc", "1d5", "1D5", "\t", " ", "５", "1\n"}) {
    RecordingControls ui;
    EXPECT_EQ(Check(text, ui), 1) << text;
    EXPECT_EQ(Messages(ui), std::vector<std::string>{"invalid"}) << text;
  }
}

TEST(CheckNumber, EmptyTextShowsTheMissingMessage) {
  RecordingControls ui;
  EXPECT_EQ(Check("", ui), 1);
  EXPECT_EQ(Messages(ui), std::vector<std::string>{"missing"});
}

TEST(CheckNumber, TextsLongerThanTheSixteenBitWalkAreRejected) {
  RecordingControls ui;
  EXPECT_EQ(Check(std::string(kMaxFieldLength, '1'), ui), 0);
  EXPECT_EQ(Check(std::string(kMaxFieldLength + 1, '1'), ui), 1);
  EXPECT_EQ(Messages(ui), std::vector<std::string>{"invalid"});
}

TEST(CheckFields, StopsAtTheFirstRejectedFieldWithItsOwnMessage) {
  // Von holds a letter and Po is empty: only Po is reported, since it comes first.
  RecordingControls ui = Fields({{form1::Text1, ""}, {form1::Text4, "x"}});
  DesignState s;
  EXPECT_FALSE(CheckFields(s, ui, kDesignFields));
  EXPECT_EQ(Messages(ui),
            std::vector<std::string>{"Hai dimenticato di scrivere la potenza di uscita Po"});
  EXPECT_EQ(s.InputText, "");
  EXPECT_EQ(s.InputError, 1);
}

TEST(CheckFields, EveryFieldUsesItsOwnPairOfMessages) {
  for (const InputField& field : kSamplingFields) {
    for (const bool empty : {true, false}) {
      RecordingControls ui = Fields({{field.control, empty ? "" : "4,5"}});
      DesignState s;
      EXPECT_FALSE(CheckFields(s, ui, kSamplingFields));
      ASSERT_EQ(ui.messages().size(), 1u);
      EXPECT_EQ(ui.messages()[0].text, empty ? field.msgMissing : field.msgInvalid);
      EXPECT_EQ(s.MsgMissing, field.msgMissing);
      EXPECT_EQ(s.MsgInvalid, field.msgInvalid);
    }
  }
}

TEST(CheckFields, DesignChecksIgnoreTheSampleCount) {
  RecordingControls ui = Fields({{form1::Text9, ""}});
  DesignState s;
  EXPECT_TRUE(CheckFields(s, ui, kDesignFields));
  EXPECT_FALSE(CheckFields(s, ui, kSamplingFields));
  EXPECT_EQ(Messages(ui),
            std::vector<std::string>{"Hai dimenticato di scrivere il numero di campioni M"});
}

struct ValCase {
  const char* text;
  double value;
};

class ValExamples : public ::testing::TestWithParam<ValCase> {};

TEST_P(ValExamples, ReadsTheLeadingNumber) {
  ClearFpFaults();
  EXPECT_EQ(Val(GetParam().text), GetParam().value) << GetParam().text;
  EXPECT_FALSE(std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO)) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValExamples,
    ::testing::Values(ValCase{"50", 50}, ValCase{"1.23", 1.23}, ValCase{"1E-5", 1e-5},
                      ValCase{"5E3", 5000}, ValCase{"1.2.3", 1.2}, ValCase{"12-3", 12},
                      ValCase{".", 0}, ValCase{"E", 0}, ValCase{"-", 0}, ValCase{"1e", 1},
                      ValCase{"1e+", 1}, ValCase{"-.5", -0.5}, ValCase{"+7.", 7}, ValCase{"", 0},
                      ValCase{"abc", 0}, ValCase{" 50", 50}, ValCase{"5 0", 50},
                      ValCase{"\t2\n5", 25}, ValCase{"1e-999", 0}, ValCase{"0e99999", 0},
                      ValCase{"2.5e1x", 25}));

TEST(Val, ANumberBeyondTheDoubleRangeRaisesOverflow) {
  ClearFpFaults();
  EXPECT_TRUE(std::isinf(Val("1E999")));
  EXPECT_TRUE(std::fetestexcept(FE_OVERFLOW));
  EXPECT_THROW(Checked("Po", 0), ArithmeticFault);
  ClearFpFaults();
}

TEST(Locale, ThePointIsTheSeparatorWhateverTheLocale) {
  // The windows run under the user's locale, which may write a comma; the
  // conversions and the display patterns must not.
  // scripts/setup installs it_IT.UTF-8.
  ASSERT_NE(std::setlocale(LC_ALL, "it_IT.UTF-8"), nullptr) << "it_IT.UTF-8 is not installed";
  ASSERT_EQ(*std::localeconv()->decimal_point, ',');
  EXPECT_EQ(Val("1.5"), 1.5);
  EXPECT_EQ(Val("1,5"), 1);
  EXPECT_EQ(Format(1.5, kFixed2), "1.50");
  EXPECT_EQ(Format(1234.5, kScientific3), "1.235E+03");
  std::setlocale(LC_ALL, "C");
}

TEST(RoundToInt32, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInt32(2.5, "N"), 2);
  EXPECT_EQ(RoundToInt32(3.5, "N"), 4);
  EXPECT_EQ(RoundToInt32(-2.5, "N"), -2);
  EXPECT_EQ(RoundToInt32(0.5, "M"), 0);
  EXPECT_EQ(RoundToInt32(1.5, "M"), 2);
  EXPECT_EQ(RoundToInt32(20, "N"), 20);
  EXPECT_EQ(RoundToInt32(2.6, "N"), 3);
  EXPECT_EQ(RoundToInt32(2147483647.4, "N"), 2147483647);
  EXPECT_EQ(RoundToInt32(-2147483648.5, "N"), -2147483647 - 1);
}

TEST(RoundToInt32, OutsideTheThirtyTwoBitRangeIsAnOverflowFault) {
  for (double v : {2147483647.5, -2147483649.0, 1e10, HUGE_VAL}) {
    try {
      RoundToInt32(v, "N");
      ADD_FAILURE() << v;
    } catch (const ArithmeticFault& f) {
      EXPECT_EQ(f.kind(), FaultKind::Overflow);
      EXPECT_EQ(f.quantity(), "N");
    }
  }
}

}  // namespace
}  // namespace classe
