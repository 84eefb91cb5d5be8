#include "actions/input_fields.h"

#include <array>
#include <string>

#include "design/text_input.h"

namespace classe {
namespace {

// The messages are the program's own texts, trailing blanks and all.
constexpr std::array<InputField, 8> kInputFields{{
    {"Text1", "Po", "50", "Hai dimenticato di scrivere la potenza di uscita Po",
     "Errore di inserimento dati per la potenza di uscita Po. Puoi scrivere soltanto numeri "
     "razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 "
     ", 1E-5 , 5E3"},
    {"Text2", "f", "4", "Hai dimenticato di scrivere la frequenza di funzionamento f ",
     "Errore di inserimento dati per la frequenza di funzionamento f. Puoi scrivere soltanto "
     "numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: "
     "1.23 , 1E-5 , 5E3"},
    {"Text3", "Q", "4",
     "Hai dimenticato di scrivere il fattore di merito del circuito di uscita Q (comprendente il "
     "carico R) ",
     "Errore di inserimento dati per il fattore di merito Q. Puoi scrivere soltanto numeri "
     "razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 "
     ", 1E-5 , 5E3"},
    {"Text4", "Von", "0",
     "Hai dimenticato di scrivere la tensione Von dello switch quando è chiuso (0,3 V per i BJT, "
     "2V per i MosFet)",
     "Errore di inserimento dati per la tensione Von. Puoi scrivere soltanto numeri razionali con "
     "il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text5", "Vcc", "28", "Hai dimenticato di scrivere la tensione di alimentazione Vcc ",
     "Errore di inserimento dati per la tensione di alimentazione Vcc . Puoi scrivere soltanto "
     "numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: "
     "1.23 , 1E-5 , 5E3"},
    {"Text6", "N", "20",
     "Hai dimenticato di scrivere N (la reattanza di L1 deve essere maggiore o uguale N volte "
     "quella di C1  ",
     "Errore di inserimento dati per N. Puoi scrivere soltanto numeri razionali con il punto come "
     "separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text7", "RL", "50",
     "Hai dimenticato di scrivere il valore della resistenza di carico effettiva RL  ",
     "Errore di inserimento dati per RL. Puoi scrivere soltanto numeri razionali con il punto come "
     "separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text9", "M", "1000", "Hai dimenticato di scrivere il numero di campioni M",
     "Errore di inserimento dati per il numero di campioni M. Puoi scrivere soltanto numeri "
     "interi. Ad es: 1000, 2000 ecc."},
}};

}  // namespace

std::span<const InputField> InputFields() {
  return kInputFields;
}

std::span<const InputField> DesignFields() {
  return std::span(kInputFields).first(7);
}

std::span<const InputField> SamplingFields() {
  return kInputFields;
}

void CheckNumber(DesignState& state, const std::string& text, Controls& ui) {
  state.InputError = 0;
  switch (CheckText(text)) {
    case TextCheck::Accepted:
      return;
    case TextCheck::Missing:
      ui.message(state.MsgMissing);
      break;
    case TextCheck::Invalid:
      ui.message(state.MsgInvalid);
      break;
  }
  state.InputError = 1;
}

bool CheckFields(DesignState& state, Controls& ui, std::span<const InputField> fields) {
  for (const InputField& field : fields) {
    state.InputText = ui.text(Window::Form1, field.control);
    state.MsgMissing = std::string(field.msgMissing);
    state.MsgInvalid = std::string(field.msgInvalid);
    CheckNumber(state, state.InputText, ui);
    if (state.InputError == 1) return false;
  }
  return true;
}

DesignTexts ReadDesignTexts(Controls& ui) {
  auto text = [&ui](std::string_view control) { return ui.text(Window::Form1, control); };
  return {text("Text1"), text("Text2"), text("Text3"), text("Text4"), text("Text5"), text("Text6")};
}

}  // namespace classe
