// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cfenv>
#include <clocale>
#include <cmath>
#include <string>

#include "actions/input_fields.h"
#include "actions/recording_controls.h"
#include "engine/design/design_state.h"
#include "engine/design/display_format.h"
#include "engine/design/fault.h"
#include "engine/design/text_input.h"
#include "tests/support.h"

namespace classe {
namespace {

using namespace testing;

TEST(CheckFields, StopsAtTheFirstRejectedFieldWithItsOwnMessage) {
  // Von holds a letter and Po is empty: only Po is reported, since it comes first.
  RecordingControls ui = Fields({{form1::Text1, ""}, {form1::Text4, "x"}});
  DesignState s;
  EXPECT_FALSE(CheckFields(s, ui, kDesignFields));
  EXPECT_EQ(Messages(ui),
            std::vector<std::string>{"Hai dimenticato di scrivere la potenza di uscita Po"});
  EXPECT_EQ(s.InputText, "");
  EXPECT_EQ(s.InputError, 1);
  // A comma is no decimal separator.
  RecordingControls comma = Fields({{form1::Text2, "4,5"}});
  EXPECT_FALSE(CheckFields(s, comma, kDesignFields));
  EXPECT_EQ(Messages(comma),
            std::vector<std::string>{
                "Errore di inserimento dati per la frequenza di funzionamento f. Puoi scrivere "
                "soltanto numeri razionali con il punto come separatore decimale, anche in forma "
                "esponenziale. Ad es: 1.23 , 1E-5 , 5E3"});
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

// The lexical check, Val and the rounding of N and M meet their examples
// in fuzz/corpus/conversions, each held there against an independent reading.

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

}  // namespace
}  // namespace classe
