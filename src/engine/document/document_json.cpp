// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/document/document_json.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace classe::document {
namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

// Thrown while reading: the message for the user.
struct Refused {
  std::string message;
};

[[noreturn]] void Refuse(std::string message) {
  throw Refused{std::move(message)};
}

// Checks the text before the parser sees it: size, NUL bytes and how deep it
// nests, so that no input can make the parser recurse or allocate unbounded.
void CheckRaw(std::string_view text) {
  if (text.size() > kMaxDocumentBytes)
    Refuse("il file è troppo grande per un progetto (più di 4 MB).");
  if (text.find('\0') != std::string_view::npos)
    Refuse("il file contiene un byte nullo: non è un file di progetto.");
  int depth = 0;
  bool inString = false;
  bool escaped = false;
  for (const char c : text) {
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      if (++depth > kMaxDocumentDepth)
        Refuse("il file annida più di " + std::to_string(kMaxDocumentDepth) +
               " livelli: non è un file di progetto.");
    } else if (c == '}' || c == ']') {
      --depth;
    }
  }
}

Json Parse(std::string_view text) {
  try {
    return Json::parse(text);
  } catch (const Json::parse_error& error) {
    // The parser says the input ended where a value, a text, a word or a
    // number was still going on.
    const std::string_view what = error.what();
    const auto says = [&](std::string_view words) { return what.find(words) != what.npos; };
    if (says("unexpected end of input") || says("missing closing quote") ||
        (error.byte >= text.size() && (says("invalid literal") || says("invalid number"))))
      Refuse("il file è troncato: finisce prima della fine del progetto.");
    Refuse("il file non è JSON valido (errore al byte " + std::to_string(error.byte) + ").");
  } catch (const Json::out_of_range&) {
    Refuse("il file contiene un numero troppo grande per un double.");
  }
}

const Json* Member(const Json& object, std::string_view key) {
  const auto it = object.find(std::string(key));
  return it == object.end() ? nullptr : &*it;
}

const Json& Object(const Json& value, const std::string& where) {
  if (!value.is_object()) Refuse("la voce " + where + " deve essere un oggetto.");
  return value;
}

std::string Text(const Json& value, const std::string& where) {
  if (!value.is_string()) Refuse("la voce " + where + " deve essere un testo.");
  const auto& text = value.get_ref<const std::string&>();
  if (text.size() > kMaxTextBytes)
    Refuse("la voce " + where + " è troppo lunga (più di " + std::to_string(kMaxTextBytes) +
           " byte).");
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
      Refuse("la voce " + where + " contiene un carattere di controllo.");
  }
  return text;
}

bool Flag(const Json& value, const std::string& where) {
  if (!value.is_boolean()) Refuse("la voce " + where + " deve essere true o false.");
  return value.get<bool>();
}

double Number(const Json& value, const std::string& where, double low, double high) {
  if (!value.is_number()) Refuse("la voce " + where + " deve essere un numero.");
  const double x = value.get<double>();
  if (!std::isfinite(x) || x < low || x > high)
    Refuse("la voce " + where + " è fuori dell'intervallo ammesso.");
  return x;
}

// The known texts of one section: those of `texts` the file holds replace
// them; others of the file are ignored.
void ReadTexts(const Json& file, std::string_view key, Texts& texts) {
  const Json* section = Member(file, key);
  if (!section) return;
  Object(*section, std::string(key));
  for (auto& [name, text] : texts) {
    if (const Json* value = Member(*section, name))
      text = Text(*value, std::string(key) + '.' + name);
  }
}

void ReadCurve(const Json& curve, RealCircuitInputs& real) {
  Object(curve, "realCircuit.curve");
  const Json* name = Member(curve, "name");
  const Json* points = Member(curve, "points");
  if (!name || !points) Refuse("la voce realCircuit.curve deve avere name e points.");
  real.curveName = Text(*name, "realCircuit.curve.name");
  if (!points->is_array())
    Refuse("la voce realCircuit.curve.points deve essere un elenco di coppie [Vds, Coss].");
  if (points->size() > kMaxCurvePoints)
    Refuse("la voce realCircuit.curve.points ha più di " + std::to_string(kMaxCurvePoints) +
           " punti.");
  real.curve.clear();
  for (std::size_t i = 0; i < points->size(); ++i) {
    const std::string where = "realCircuit.curve.points[" + std::to_string(i) + "]";
    const Json& point = (*points)[i];
    if (!point.is_array() || point.size() != 2)
      Refuse("la voce " + where + " deve essere una coppia [Vds, Coss].");
    real.curve.push_back({Number(point[0], where, -kMaxCurveVolts, kMaxCurveVolts),
                          Number(point[1], where, 0, kMaxCurvePf)});
  }
  if (real.curveName.empty()) Refuse("la voce realCircuit.curve.name è vuota.");
}

void ReadRealCircuit(const Json& file, RealCircuitInputs& real) {
  const Json* section = Member(file, "realCircuit");
  if (!section) return;
  Object(*section, "realCircuit");
  for (auto& [name, text] : real.texts) {
    if (const Json* value = Member(*section, name)) text = Text(*value, "realCircuit." + name);
  }
  if (const Json* network = Member(*section, "network")) {
    real.network = network->is_null() ? std::nullopt
                                      : std::optional<bool>(Flag(*network, "realCircuit.network"));
  }
  if (const Json* exact = Member(*section, "exactDesign"))
    real.exactDesign = Flag(*exact, "realCircuit.exactDesign");
  if (const Json* curve = Member(*section, "curve"); curve && !curve->is_null()) {
    ReadCurve(*curve, real);
  } else {
    real.curveName.clear();
    real.curve.clear();
  }
}

DocumentRead Read(std::string_view text, const DesignDocument& defaults) {
  CheckRaw(text);
  const Json file = Parse(text);
  const Json* format = Member(Object(file, "principale del file"), "format");
  if (!format || !format->is_string() || format->get_ref<const std::string&>() != kFormatName)
    Refuse("il file non è un progetto di Classe E (manca \"format\": \"classe-e\").");
  const Json* version = Member(file, "version");
  if (!version || !version->is_number_integer() || version->get<long long>() < 1 ||
      version->get<long long>() > 1'000'000)
    Refuse("la voce version deve essere un numero intero da 1 a 1000000.");
  DocumentRead read{defaults, {}};
  if (version->get<long long>() > kFormatVersion)
    read.warning = "Il file è di una versione più recente di Classe E (formato " +
                   std::to_string(version->get<long long>()) +
                   "): ciò che questa versione non conosce è stato ignorato.";
  ReadTexts(file, "main", read.doc.main);
  ReadRealCircuit(file, read.doc.realCircuit);
  for (const TextSection& section : kTextSections)
    ReadTexts(file, section.key, read.doc.*section.member);
  return read;
}

OrderedJson TextsJson(const Texts& texts) {
  OrderedJson object = OrderedJson::object();
  for (const auto& [key, text] : texts)
    object[key] = text;
  return object;
}

}  // namespace

std::string WriteDocument(const DesignDocument& doc) {
  OrderedJson file;
  file["format"] = std::string(kFormatName);
  file["version"] = kFormatVersion;
  file["main"] = TextsJson(doc.main);
  OrderedJson real = TextsJson(doc.realCircuit.texts);
  real["network"] = doc.realCircuit.network ? OrderedJson(*doc.realCircuit.network) : nullptr;
  real["exactDesign"] = doc.realCircuit.exactDesign;
  if (doc.realCircuit.curveName.empty()) {
    real["curve"] = nullptr;
  } else {
    OrderedJson points = OrderedJson::array();
    for (const CurvePoint& point : doc.realCircuit.curve)
      points.push_back({point.vds, point.cossPf});
    real["curve"] = {{"name", doc.realCircuit.curveName}, {"points", std::move(points)}};
  }
  file["realCircuit"] = std::move(real);
  for (const TextSection& section : kTextSections)
    file[std::string(section.key)] = TextsJson(doc.*section.member);
  // A text that is not UTF-8 is written with replacement characters rather
  // than refused: the file is still written and reads back.
  return file.dump(2, ' ', false, OrderedJson::error_handler_t::replace) + '\n';
}

std::variant<DocumentRead, DocumentError> ReadDocument(std::string_view text,
                                                       const DesignDocument& defaults) {
  try {
    return Read(text, defaults);
  } catch (const Refused& refused) {
    return DocumentError{refused.message};
  } catch (const Json::exception&) {
    return DocumentError{"il file non è un progetto leggibile."};
  }
}

}  // namespace classe::document
