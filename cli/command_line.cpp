#include "cli/command_line.h"

#include "actions/input_fields.h"

namespace classe::cli {
namespace {

std::string FieldNames() {
  std::string names;
  for (const InputField& field : kInputFields) {
    if (!names.empty()) names += ' ';
    names += field.symbol;
  }
  return names;
}

}  // namespace

// The arguments are few and fixed; a parser of our own keeps every message in
// Italian, like the rest of the program.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error) {
  CommandLine line;
  bool named = false;
  for (const std::string& arg : args) {
    if (arg == "--json") {
      line.json = true;
    } else if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg == "--version") {
      line.version = true;
    } else if (arg.size() > 1 && arg[0] == '-' && !named) {
      error = "opzione sconosciuta: " + arg;
      return std::nullopt;
    } else if (!named) {
      named = true;
      line.action = FindCliAction(arg);
      if (!line.action) {
        error = "azione sconosciuta: " + arg;
        return std::nullopt;
      }
    } else {
      const std::size_t eq = arg.find('=');
      const InputField* field =
          eq == std::string::npos ? nullptr : FindInputField(std::string_view(arg).substr(0, eq));
      if (!field) {
        error = "campo sconosciuto: " + arg + " (campi: " + FieldNames() + ")";
        return std::nullopt;
      }
      line.fields.emplace_back(field->control, arg.substr(eq + 1));
    }
  }
  if (line.help || line.version) return line;
  if (!named) {
    error = "manca l'azione";
    return std::nullopt;
  }
  return line;
}

std::string UsageText() {
  std::string text = R"(Uso: classe-e-cli [--json] AZIONE [CAMPO=TESTO ...]
     classe-e-cli --help | --version

Progetto di un amplificatore ideale in classe E senza finestre: ogni azione
è quella del pulsante omonimo, con gli stessi controlli, calcoli e testi.

Azioni:
)";
  for (const CliAction& action : CliActions()) {
    std::string name(action.name);
    name.resize(12, ' ');
    text += "  " + name + std::string(action.help) + '\n';
  }
  text += R"(
Campi (il testo è quello che si scriverebbe nella casella; un campo non
dato ha il testo iniziale della finestra):
)";
  std::string defaults;
  std::string units;
  for (const InputField& field : kInputFields) {
    defaults += "  " + std::string(field.symbol) + '=' + std::string(field.defaultText);
    units += (units.empty() ? "  " : ", ") + std::string(field.symbol);
    if (!field.unit.empty()) units += ' ' + std::string(field.unit);
  }
  text += defaults + '\n' + units + " (numero di campioni)\n";
  text += R"(
Uscita: una riga per valore mostrato, "simbolo<TAB>testo<TAB>unità", e i
messaggi; con --json un oggetto con action, messages, fault, labels,
visible e state, i controlli indicati come "Form1.Label29".

Stato di uscita: 0 riuscito, 2 campo rifiutato dal controllo, 1 errore di
calcolo o dato non accettato, 64 uso errato.

Esempi:
  classe-e-cli componenti Vcc=24
  classe-e-cli --json rete RL=5 | jq -r '.labels["Form1.Label29"]'
  for v in 12 24 48; do classe-e-cli picchi Vcc=$v | cut -f2 | head -1; done
)";
  return text;
}

}  // namespace classe::cli
