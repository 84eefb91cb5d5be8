// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "actions/controls.h"
#include "actions/form1_controls.h"
#include "actions/form4_controls.h"
#include "actions/form5_controls.h"
#include "engine/design/design_equations.h"
#include "engine/design/design_state.h"

namespace classe {

// An input field of the main window: the symbol and unit the window shows
// beside it (the symbol is also the field's name on the command line), its
// text at start, and the two messages of its check, trailing blanks and all.
struct InputField {
  Control control;
  std::string_view symbol;
  std::string_view unit;  // empty where the window shows none
  std::string_view defaultText;
  std::string_view msgMissing;  // empty: an empty text is accepted, and means "none"
  std::string_view msgInvalid;
};

namespace fields {
// clang-format off

inline constexpr InputField Po{
    form1::Text1, "Po", "[Watt]", "50", "Hai dimenticato di scrivere la potenza di uscita Po",
    "Errore di inserimento dati per la potenza di uscita Po. Puoi scrivere soltanto numeri "
    "razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , "
    "1E-5 , 5E3"};
inline constexpr InputField f{
    form1::Text2, "f", "[MHz]", "4", "Hai dimenticato di scrivere la frequenza di funzionamento f ",
    "Errore di inserimento dati per la frequenza di funzionamento f. Puoi scrivere soltanto numeri "
    "razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , "
    "1E-5 , 5E3"};
inline constexpr InputField Q{
    form1::Text3, "Q", "", "4",
    "Hai dimenticato di scrivere il fattore di merito del circuito di uscita Q (comprendente il "
    "carico R) ",
    "Errore di inserimento dati per il fattore di merito Q. Puoi scrivere soltanto numeri "
    "razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , "
    "1E-5 , 5E3"};
inline constexpr InputField Von{
    form1::Text4, "Von", "[Volt]", "0",
    "Hai dimenticato di scrivere la tensione Von dello switch quando è chiuso (0,3 V per i BJT, 2V "
    "per i MosFet)",
    "Errore di inserimento dati per la tensione Von. Puoi scrivere soltanto numeri razionali con "
    "il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"};
inline constexpr InputField Vcc{
    form1::Text5, "Vcc", "[Volt]", "28",
    "Hai dimenticato di scrivere la tensione di alimentazione Vcc ",
    "Errore di inserimento dati per la tensione di alimentazione Vcc . Puoi scrivere soltanto "
    "numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: "
    "1.23 , 1E-5 , 5E3"};
inline constexpr InputField N{
    form1::Text6, "N", "", "20",
    "Hai dimenticato di scrivere N (la reattanza di L1 deve essere maggiore o uguale N volte "
    "quella di C1  ",
    "Errore di inserimento dati per N. Puoi scrivere soltanto numeri razionali con il punto come "
    "separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"};
inline constexpr InputField RL{
    form1::Text7, "RL", "[Ω]", "50",
    "Hai dimenticato di scrivere il valore della resistenza di carico effettiva RL  ",
    "Errore di inserimento dati per RL. Puoi scrivere soltanto numeri razionali con il punto come "
    "separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"};
inline constexpr InputField M{
    form1::Text9, "M", "", "1000", "Hai dimenticato di scrivere il numero di campioni M",
    "Errore di inserimento dati per il numero di campioni M. Puoi scrivere soltanto numeri "
    "interi. Ad es: 1000, 2000 ecc."};

// The real-circuit window's own inputs.
inline constexpr InputField Ron{
    form4::Text1, "Ron", "[Ω]", "0.001",
    "Hai dimenticato di scrivere la resistenza Ron dello switch quando è chiuso",
    "Errore di inserimento dati per Ron. Puoi scrivere soltanto numeri razionali con il punto "
    "come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"};
inline constexpr InputField Coss{
    form4::Text2, "Coss", "[pF]", "0",
    "Hai dimenticato di scrivere la capacità di uscita Coss dello switch (0 se non la conosci)",
    "Errore di inserimento dati per Coss. Puoi scrivere soltanto numeri razionali con il punto "
    "come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"};
inline constexpr InputField QU{
    form4::Text3, "QU", "", "", "",
    "Errore di inserimento dati per QU. Puoi scrivere soltanto numeri razionali con il punto "
    "come separatore decimale, anche in forma esponenziale, o lasciare vuoto per induttanze "
    "senza perdite. Ad es: 1.23 , 1E-5 , 5E3"};

inline constexpr InputField VdsCoss{
    form4::Text4, "VdsCoss", "[V]", "25",
    "Hai dimenticato di scrivere la tensione Vds a cui il datasheet dà Coss",
    "Errore di inserimento dati per Vds di Coss. Puoi scrivere soltanto numeri razionali con il "
    "punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"};
inline constexpr InputField m{
    form4::Text5, "m", "", "0.5",
    "Hai dimenticato di scrivere il coefficiente di gradualità m della giunzione (0 per una Coss "
    "costante)",
    "Errore di inserimento dati per m. Puoi scrivere soltanto numeri razionali con il punto come "
    "separatore decimale, anche in forma esponenziale. Ad es: 0.33 , 0.5"};
inline constexpr InputField Vj{
    form4::Text6, "Vj", "[V]", "0.7",
    "Hai dimenticato di scrivere il potenziale di giunzione Vj",
    "Errore di inserimento dati per Vj. Puoi scrivere soltanto numeri razionali con il punto come "
    "separatore decimale, anche in forma esponenziale. Ad es: 0.7"};
inline constexpr InputField BVdss{
    form4::Text7, "BVdss", "[V]", "", "",
    "Errore di inserimento dati per V(BR)DSS. Puoi scrivere soltanto numeri razionali con il "
    "punto come separatore decimale, anche in forma esponenziale, o lasciare vuoto per non "
    "controllarla. Ad es: 150"};
inline constexpr InputField margine{
    form5::Text1, "margine", "", "1.5",
    "Hai dimenticato di scrivere il margine sulla tensione dei componenti (ad es. 1.5)",
    "Errore di inserimento dati per il margine di tensione. Puoi scrivere soltanto numeri "
    "razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.5"};

// clang-format on
}  // namespace fields

// Po, f, Q, Von, Vcc, N, RL, M: the order in which the actions check them.
inline constexpr std::array<InputField, 8> kInputFields{
    fields::Po, fields::f, fields::Q, fields::Von, fields::Vcc, fields::N, fields::RL, fields::M};

// Text1…Text7: checked by the compute and final-circuit buttons.
inline constexpr std::span<const InputField> kDesignFields = std::span(kInputFields).first<7>();

// Text1…Text7 and Text9: checked by the peak and graph buttons.
inline constexpr std::span<const InputField> kSamplingFields = kInputFields;

// Ron, Coss, QU and the transistor's: checked by the real-circuit window
// after Text1…Text7.
inline constexpr std::array<InputField, 7> kRealCircuitFields{
    fields::Ron, fields::Coss, fields::QU, fields::VdsCoss, fields::m, fields::Vj, fields::BVdss};

// The parts window's margin on the voltage ratings.
inline constexpr std::array<InputField, 1> kPartsFields{fields::margine};

// Every table of fields, in the order the usage text lists them.
inline constexpr std::array<std::span<const InputField>, 3> kFieldTables{
    std::span<const InputField>(kInputFields), std::span<const InputField>(kRealCircuitFields),
    std::span<const InputField>(kPartsFields)};

// A choice made from a list (a combo box in the window), by the name the
// command line gives it, with the list's entry at start.
struct ChoiceField {
  Control control;
  std::string_view symbol;
  std::string_view defaultText;
};
inline constexpr ChoiceField kCapacitorSeries{form5::Combo1, "serieC", "E24"};
inline constexpr ChoiceField kInductorSeries{form5::Combo2, "serieL", "continua"};
inline constexpr std::array<ChoiceField, 2> kChoiceFields{kCapacitorSeries, kInductorSeries};

// The field of that command-line name ("Po"…), or nothing.
const InputField* FindInputField(std::string_view symbol);
// The field that is that control, or nothing.
const InputField* FindInputField(Control control);

// The lexical check of one text with the messages the state holds: shows
// MsgMissing or MsgInvalid when the text is rejected, and leaves 0 (accepted)
// or 1 (rejected) in InputError.
void CheckNumber(DesignState& state, const std::string& text, Controls& ui);

// Runs the check of each field in order and stops at the first rejection,
// whose message has been shown; true when every field passed.
bool CheckFields(DesignState& state, Controls& ui, std::span<const InputField> fields);

// The texts the design is computed from, as the fields hold them now.
DesignTexts ReadDesignTexts(Controls& ui);

}  // namespace classe
