// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "cli/command_line.h"

#include <span>

#include "actions/analysis_fields.h"
#include "actions/input_fields.h"
#include "engine/parts/standard_series.h"

namespace classe::cli {
namespace {

std::string FieldNames() {
  std::string names;
  for (std::span<const InputField> table : kFieldTables) {
    for (const InputField& field : table) {
      if (!names.empty()) names += ' ';
      names += field.symbol;
    }
  }
  names += " rete progetto curva serieC serieL coppie distinta salva pdf";
  for (const AnalysisField& field : kToleranceFields)
    names += ' ' + std::string(field.name);
  names += " distribuzione ritaratura thread csv";
  for (const AnalysisField& field : kSweepFields)
    names += ' ' + std::string(field.name);
  return names + " variabile";
}

// An argument of the tolerance or sweep analysis: none when it is not one,
// false (with `error`) when its value is not one of its texts.
std::optional<bool> ParseAnalysisArgument(const std::string& arg, CommandLine& line,
                                          std::string& error) {
  const std::size_t eq = arg.find('=');
  if (eq == std::string::npos) return std::nullopt;
  const std::string name = arg.substr(0, eq);
  const std::string value = arg.substr(eq + 1);
  if (name == "thread" || name == "csv") {
    (name == "thread" ? line.threads : line.csv) = value;
    return true;
  }
  if (const AnalysisField* field = FindAnalysisField(name)) {
    line.fields.emplace_back(field->control, value);
    return true;
  }
  if (const OptionField* choice = FindOptionField(name)) {
    std::string texts;
    for (std::size_t k = 0; k < choice->values.size() && !choice->values[k].empty(); ++k) {
      if (choice->values[k] == value) {
        line.options.push_back(choice->options[k]);
        return true;
      }
      texts += (texts.empty() ? "" : "|") + std::string(choice->values[k]);
    }
    error = "valore non valido: " + arg + " (" + name + '=' + texts + ")";
    return false;
  }
  const SwitchField& retune = analysis::ritaratura;
  if (name == retune.name) {
    if (value != retune.on && value != retune.off) {
      error = "valore non valido: " + arg + " (ritaratura=no|si)";
      return false;
    }
    line.checks.emplace_back(retune.box, value == retune.on);
    return true;
  }
  return std::nullopt;
}

}  // namespace

// The arguments are few and fixed; a parser of our own keeps every message in
// Italian, like the rest of the program.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error) {
  CommandLine line;
  bool named = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--file") {
      if (i + 1 == args.size()) {
        error = "manca il file dopo --file";
        return std::nullopt;
      }
      if (line.file) {
        error = "--file è dato due volte";
        return std::nullopt;
      }
      line.file = args[++i];
    } else if (arg == "--json") {
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
    } else if (arg.starts_with("curva=")) {
      line.curve = arg.substr(6);
    } else if (arg.starts_with("distinta=")) {
      line.bom = arg.substr(9);
    } else if (arg.starts_with("serieC=") || arg.starts_with("serieL=")) {
      const std::string value = arg.substr(7);
      if (!parts::ParseSeries(value)) {
        error =
            "valore non valido: " + arg + " (" + arg.substr(0, 6) + "=continua|E6|E12|E24|E48|E96)";
        return std::nullopt;
      }
      (arg[5] == 'C' ? line.seriesC : line.seriesL) = value;
      line.partsGiven = true;
    } else if (arg.starts_with("coppie=")) {
      const std::string value = arg.substr(7);
      if (value != "si" && value != "no") {
        error = "valore non valido: " + arg + " (coppie=no|si)";
        return std::nullopt;
      }
      line.pairs = value == "si";
      line.partsGiven = true;
    } else if (arg.starts_with("salva=") || arg.starts_with("pdf=")) {
      const bool save = arg.starts_with("salva=");
      const std::string path = arg.substr(arg.find('=') + 1);
      if (path.empty()) {
        error = "manca il nome del file: " + arg;
        return std::nullopt;
      }
      (save ? line.saveTo : line.pdf) = path;
    } else if (arg.starts_with("rete=") || arg.starts_with("progetto=")) {
      const bool network = arg.starts_with("rete=");
      const std::string value = arg.substr(arg.find('=') + 1);
      const char* yes = network ? "si" : "esatto";
      const char* no = network ? "no" : "ideale";
      if (value != yes && value != no) {
        error = "valore non valido: " + arg + " (" +
                (network ? "rete=no|si" : "progetto=esatto|ideale") + ")";
        return std::nullopt;
      }
      (network ? line.network : line.exactDesign) = value == yes;
    } else if (const auto analysis = ParseAnalysisArgument(arg, line, error)) {
      if (!*analysis) return std::nullopt;
    } else {
      const std::size_t eq = arg.find('=');
      const InputField* field =
          eq == std::string::npos ? nullptr : FindInputField(std::string_view(arg).substr(0, eq));
      if (!field) {
        error = "campo sconosciuto: " + arg + " (campi: " + FieldNames() + ")";
        return std::nullopt;
      }
      line.fields.emplace_back(field->control, arg.substr(eq + 1));
      if (field->control.window == Window::Form5) line.partsGiven = true;
    }
  }
  if (line.help || line.version) return line;
  if (!named) {
    error = "manca l'azione";
    return std::nullopt;
  }
  if (line.action->name == "rapporto" && !line.pdf) {
    error = "rapporto vuole pdf=FILE";
    return std::nullopt;
  }
  return line;
}

std::string UsageText() {
  std::string text = R"(Uso: classe-e-cli [--json] AZIONE [--file FILE] [CAMPO=TESTO ...]
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
Componenti commerciali (parti; spice con uno di questi campi scrive le
parti acquistate e ritarate):
  serieC=E24  serieL=continua  coppie=no  margine=1.5  distinta=FILE
  serieC, serieL la serie dei condensatori e delle induttanze (continua, E6,
  E12, E24, E48, E96); coppie=si due condensatori in parallelo dove danno un
  valore più vicino; margine il fattore sul picco di tensione per la tensione
  nominale; distinta=FILE scrive la distinta base in CSV.

Circuito reale (simula, esatto, spice):
  Ron=0.001  Coss=0  QU=  rete=no  progetto=esatto
  VdsCoss=25  m=0.5  Vj=0.7  BVdss=  curva=FILE
  Ron [Ohm] resistenza dello switch chiuso (0: switch ideale), Coss [pF]
  capacità di uscita del transistor a Vds = VdsCoss [V], compresa in C1,
  graduata come una giunzione (m, Vj [V]; m=0: costante) e con il suo diodo;
  curva=FILE la curva Coss del datasheet (righe "Vds,Coss" in V e pF) al posto
  della legge di giunzione; BVdss [V] la tensione di rottura (vuoto: non
  controllata); QU fattore di merito a vuoto delle induttanze (vuoto: senza
  perdite), rete=si la rete di adattamento a RL nel circuito,
  progetto=ideale|esatto il progetto della netlist.
)";
  text += R"(
File di progetto (.classe):
  --file FILE  i campi partono da quelli del file (anche prima dell'azione);
               quelli dati sulla riga di comando li sostituiscono
  salva=FILE   scrive i campi dati come file di progetto, poi esegue l'azione
               (tolleranze dopo l'analisi, segnando se è andata a termine)
  pdf=FILE     dove rapporto scrive il rapporto in PDF
Analisi delle tolleranze (tolleranze) e parametrica (scansione) del
progetto esatto costruito:
  tolC=5  tolL=5  tolR=0  tolCoss=0  tolRon=0  distribuzione=uniforme
  prove=2000  seme=1  banda=10  bandaVon=5  ritaratura=no  thread=N  csv=FILE
  variabile=RL  da=0.5  a=2  punti=31
  tolleranze [%] per tipo di componente (condensatori, induttanze, carico,
  Coss, Ron), uniformi entro ±t o normali con sigma t/3; prove esemplari
  (fino a 1000000) con il seme dato; banda [± %] di Po e bandaVon [% del
  picco] della tensione all'accensione; thread (vuoto: tutti i core);
  csv=FILE una riga per esemplare. variabile=RL|X|Vcc|f da "da" ad "a" in
  "punti" passi: RL e X come fattori del carico, Vcc in V, f in MHz; stampa
  il CSV x,Po,efficiency,Vpeak,Iswitch_peak,von_fraction.
)";
  text += R"(
Uscita: una riga per valore mostrato, "simbolo<TAB>testo<TAB>unità", e i
messaggi; con --json un oggetto con action, messages, fault, labels,
visible e state, i controlli indicati come "Form1.Label29"; per simula ed
esatto design e circuit in unità SI, per spice la netlist.

Stato di uscita: 0 riuscito, 2 campo rifiutato dal controllo, 1 errore di
calcolo o dato non accettato, 64 uso errato, 65 file della curva o di
progetto rifiutato.

Esempi:
  classe-e-cli componenti Vcc=24
  classe-e-cli --json rete RL=5 | jq -r '.labels["Form1.Label29"]'
  for v in 12 24 48; do classe-e-cli picchi Vcc=$v | cut -f2 | head -1; done
)";
  return text;
}

}  // namespace classe::cli
