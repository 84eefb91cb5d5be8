#include "cli/command_line.h"

#include <algorithm>

#include "actions/input_fields.h"

namespace classe::cli {

const std::vector<std::string>& ActionNames() {
  static const std::vector<std::string> names{"componenti", "picchi",   "rete",
                                              "circuito",   "verifica", "campioni"};
  return names;
}

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error) {
  CommandLine line;
  for (const std::string& arg : args) {
    if (arg == "--json") {
      line.json = true;
    } else if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg.size() > 1 && arg[0] == '-' && line.action.empty()) {
      error = "opzione sconosciuta: " + arg;
      return std::nullopt;
    } else if (line.action.empty()) {
      line.action = arg;
    } else {
      const std::size_t eq = arg.find('=');
      const std::string name = arg.substr(0, eq);
      const auto fields = InputFields();
      const bool known = std::any_of(fields.begin(), fields.end(),
                                     [&](const InputField& f) { return f.quantity == name; });
      if (eq == std::string::npos || !known) {
        error = "campo sconosciuto: " + arg + " (campi: Po f Q Von Vcc N RL M)";
        return std::nullopt;
      }
      line.fields.emplace_back(name, arg.substr(eq + 1));
    }
  }
  if (line.help) return line;
  const auto& actions = ActionNames();
  if (line.action.empty()) {
    error = "manca l'azione";
    return std::nullopt;
  }
  if (std::find(actions.begin(), actions.end(), line.action) == actions.end()) {
    error = "azione sconosciuta: " + line.action;
    return std::nullopt;
  }
  return line;
}

std::string UsageText() {
  return R"(Uso: classe-e-cli [--json] AZIONE [CAMPO=TESTO ...]

Progetto di un amplificatore ideale in classe E senza finestre: ogni azione
è quella del pulsante omonimo, con gli stessi controlli, calcoli e testi.

Azioni:
  componenti  Calcola Componenti, Tensioni e Correnti (R, L1, C1, C2, L2, IDC)
  picchi      Vc1 max, Isw max, Ir picco
  rete        componenti, poi Calcola rete adattamento (L, C)
  circuito    Circuito definitivo (valori dello schema finale)
  verifica    circuito, poi Verifica (tg(psi) ver., Po ver.)
  campioni    i campioni di Vc1, Isw, Ic1, Ir su due periodi, in CSV

Campi (il testo è quello che si scriverebbe nella casella; un campo non
dato ha il testo iniziale della finestra):
  Po=50  f=4  Q=4  Von=0  Vcc=28  N=20  RL=50  M=1000
  Po [W], f [MHz], Q, Von [V], Vcc [V], N, RL [Ohm], M (numero di campioni)

Uscita: una riga per valore mostrato, "simbolo<TAB>testo<TAB>unità", e i
messaggi; con --json un oggetto con action, messages, fault, labels,
visible e state.

Stato di uscita: 0 riuscito, 2 campo rifiutato dal controllo, 1 errore di
calcolo o dato non accettato, 64 uso errato.

Esempi:
  classe-e-cli componenti Vcc=24
  classe-e-cli --json rete RL=5 | jq -r .labels.Label29
  for v in 12 24 48; do classe-e-cli picchi Vcc=$v | cut -f2 | head -1; done
)";
}

}  // namespace classe::cli
