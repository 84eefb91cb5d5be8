// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/document/document_json.h"

#include <gtest/gtest.h>

#include <string>

namespace classe::document {
namespace {

// A document like the windows' defaults, with a text in every section.
DesignDocument Defaults() {
  DesignDocument doc;
  doc.main = {{"Po", "50"}, {"f", "4"}, {"M", "1000"}};
  doc.realCircuit.texts = {{"Ron", "0.001"}, {"QU", ""}};
  for (const TextSection& section : kTextSections)
    doc.*section.member = DefaultTexts(section.texts);
  return doc;
}

DesignDocument Edited() {
  DesignDocument doc = Defaults();
  doc.main["Po"] = " 1E-5 ";  // as typed, blanks and all
  doc.main["f"] = "4,5";      // a text the check refuses is still the user's
  doc.realCircuit.texts["QU"] = "120";
  doc.realCircuit.network = false;
  doc.realCircuit.exactDesign = false;
  doc.realCircuit.curveName = "IRF510 è.csv";
  doc.realCircuit.curve = {{0, 1200.5}, {10, 0.1}, {100, 1e-6}};
  doc.tolerances["prove"] = "500";
  return doc;
}

DocumentRead MustRead(const std::string& text) {
  auto read = ReadDocument(text, Defaults());
  if (const auto* error = std::get_if<DocumentError>(&read)) ADD_FAILURE() << error->message;
  return std::get<DocumentRead>(std::move(read));
}

std::string MustRefuse(const std::string& text) {
  const auto read = ReadDocument(text, Defaults());
  if (!std::holds_alternative<DocumentError>(read)) {
    ADD_FAILURE() << "accepted: " << text.substr(0, 200);
    return {};
  }
  return std::get<DocumentError>(read).message;
}

// A valid file with `value` as the text of one key.
std::string WithPo(const std::string& value) {
  return R"({"format":"classe-e","version":1,"main":{"Po":)" + value + "}}";
}

TEST(DesignFile, WritesFormatAndVersionFirstAndReadsBackTheSameDocument) {
  const std::string text = WriteDocument(Edited());
  EXPECT_EQ(text.find("\"format\": \"classe-e\""), text.find('"'));
  EXPECT_LT(text.find("\"version\": 1"), text.find("\"main\""));
  const DocumentRead read = MustRead(text);
  EXPECT_EQ(read.doc, Edited());
  EXPECT_EQ(read.warning, "");
  EXPECT_EQ(WriteDocument(read.doc), text);
}

TEST(DesignFile, NumbersAreWrittenWithThePointWhateverTheLocale) {
  std::locale::global(std::locale::classic());
  if (const char* name = std::setlocale(LC_ALL, "it_IT.UTF-8"))
    std::locale::global(std::locale(name));
  const std::string text = WriteDocument(Edited());
  std::locale::global(std::locale::classic());
  EXPECT_NE(text.find("1200.5"), std::string::npos) << text;
  EXPECT_NE(text.find("1e-06"), std::string::npos) << text;
}

TEST(DesignFile, KeysMissingKeepTheirDefaultsAndUnknownOnesAreIgnored) {
  const DocumentRead read =
      MustRead(R"({"format":"classe-e","version":1,"main":{"f":"7","Zz":"9"},"colore":"blu",)"
               R"("realCircuit":{"network":true}})");
  DesignDocument expected = Defaults();
  expected.main["f"] = "7";
  expected.realCircuit.network = true;
  EXPECT_EQ(read.doc, expected);
  EXPECT_EQ(read.warning, "");
}

TEST(DesignFile, ANewerVersionReadsWithAWarning) {
  const DocumentRead read =
      MustRead(R"({"format":"classe-e","version":7,"main":{"f":"7"},"nuovo":{"x":[1,2]}})");
  EXPECT_EQ(read.doc.main.at("f"), "7");
  EXPECT_NE(read.warning.find("più recente"), std::string::npos);
  EXPECT_NE(read.warning.find("formato 7"), std::string::npos);
}

TEST(DesignFile, NetworkNullLeavesTheChoiceToTheWindow) {
  DesignDocument doc = Edited();
  doc.realCircuit.network.reset();
  doc.realCircuit.curveName.clear();
  doc.realCircuit.curve.clear();
  const std::string text = WriteDocument(doc);
  EXPECT_NE(text.find("\"network\": null"), std::string::npos);
  EXPECT_NE(text.find("\"curve\": null"), std::string::npos);
  EXPECT_EQ(MustRead(text).doc, doc);
}

TEST(DamagedDesignFile, TruncatedAnywhereIsRefused) {
  const std::string text = WriteDocument(Edited());
  int truncated = 0;
  for (std::size_t size = 0; size + 2 < text.size(); size += 7) {
    const std::string message = MustRefuse(text.substr(0, size));
    if (message.find("troncato") != std::string::npos) ++truncated;
  }
  EXPECT_GT(truncated, 20);
}

TEST(DamagedDesignFile, NotJsonOrNotADesignIsRefusedByName) {
  EXPECT_NE(MustRefuse("Po=50\n").find("non è JSON valido"), std::string::npos);
  EXPECT_NE(MustRefuse("{\"format\":\"classe-e\",}").find("byte"), std::string::npos);
  EXPECT_NE(MustRefuse("[1,2]").find("deve essere un oggetto"), std::string::npos);
  for (const char* file :
       {R"({"version":1})", R"({"format":"altro","version":1})", R"({"format":3,"version":1})"})
    EXPECT_NE(MustRefuse(file).find("non è un progetto di Classe E"), std::string::npos) << file;
  for (const char* version : {"0", "-1", "1.5", "\"1\"", "1e300", "99999999999999999999", "null"})
    EXPECT_NE(MustRefuse(std::string(R"({"format":"classe-e","version":)") + version + "}")
                  .find("version"),
              std::string::npos)
        << version;
}

TEST(DamagedDesignFile, AWrongTypeNamesItsKey) {
  EXPECT_EQ(MustRefuse(WithPo("50")), "la voce main.Po deve essere un testo.");
  EXPECT_EQ(MustRefuse(WithPo("[\"50\"]")), "la voce main.Po deve essere un testo.");
  EXPECT_EQ(MustRefuse(R"({"format":"classe-e","version":1,"main":"Po=5"})"),
            "la voce main deve essere un oggetto.");
  EXPECT_EQ(MustRefuse(R"({"format":"classe-e","version":1,"sweep":{"punti":31}})"),
            "la voce sweep.punti deve essere un testo.");
  EXPECT_EQ(MustRefuse(R"({"format":"classe-e","version":1,"realCircuit":{"network":"si"}})"),
            "la voce realCircuit.network deve essere true o false.");
  EXPECT_EQ(MustRefuse(R"({"format":"classe-e","version":1,"realCircuit":{"exactDesign":1}})"),
            "la voce realCircuit.exactDesign deve essere true o false.");
  const std::string curve = R"({"format":"classe-e","version":1,"realCircuit":{"curve":)";
  EXPECT_NE(MustRefuse(curve + R"({"name":"a","points":[[1,2,3]]}}})").find("points[0]"),
            std::string::npos);
  EXPECT_NE(MustRefuse(curve + R"({"name":"a","points":[[1,2],["3",4]]}}})").find("points[1]"),
            std::string::npos);
  EXPECT_NE(MustRefuse(curve + R"({"points":[]}}})").find("name e points"), std::string::npos);
  EXPECT_NE(MustRefuse(curve + R"({"name":"","points":[[0,1]]}}})").find("vuota"),
            std::string::npos);
}

TEST(DamagedDesignFile, HugeNumbersAreOutOfRange) {
  const std::string curve =
      R"({"format":"classe-e","version":1,"realCircuit":{"curve":{"name":"a","points":[[0,1],)";
  for (const char* point : {"[1e400,1]", "[1,1e999]", "[-1e400,1]"})
    EXPECT_NE(MustRefuse(curve + point + "]}}}").find("numero troppo grande"), std::string::npos)
        << point;
  for (const char* point : {"[1e6,1]", "[1,-1]", "[1,1e10]", "[184467440737095516150,1]"})
    EXPECT_NE(MustRefuse(curve + point + "]}}}").find("points[1] è fuori dell'intervallo"),
              std::string::npos)
        << point;
}

TEST(DamagedDesignFile, LongTextsBytesAndDepthAreRefusedBeforeParsing) {
  const std::string ten(10 << 20, 'x');
  EXPECT_NE(MustRefuse(WithPo("\"" + ten + "\"")).find("più di 4 MB"), std::string::npos);
  EXPECT_NE(MustRefuse(WithPo("\"" + std::string(kMaxTextBytes + 1, '5') + "\""))
                .find("main.Po è troppo lunga"),
            std::string::npos);
  MustRead(WithPo("\"" + std::string(kMaxTextBytes, '5') + "\""));

  EXPECT_NE(MustRefuse(std::string(10000, '[') + std::string(10000, ']')).find("annida"),
            std::string::npos);
  EXPECT_NE(MustRefuse(WithPo(std::string(65, '[') + std::string(65, ']'))).find("annida"),
            std::string::npos);
  // Brackets inside a text do not nest.
  MustRead(WithPo("\"" + std::string(200, '[') + "\""));

  std::string nul = WithPo("\"50\"");
  nul.insert(nul.find("50"), 1, '\0');
  EXPECT_NE(MustRefuse(nul).find("byte nullo"), std::string::npos);
  EXPECT_NE(MustRefuse(WithPo(R"("5\u00000")")).find("carattere di controllo"), std::string::npos);
  EXPECT_NE(MustRefuse(WithPo("\"5\xff\"")).find("non è JSON valido"), std::string::npos);
}

// Twenty-five damaged files of each kind, made from a whole one: each is
// refused with a message, whatever the place of the damage.
TEST(DamagedDesignFile, TwentyFiveOfEachKindAreAllRefused) {
  const std::string whole = WriteDocument(Edited());
  const std::size_t n = 25;
  auto at = [&](std::size_t i) { return 1 + i * (whole.size() - 2) / n; };
  std::vector<std::pair<std::string, std::string>> files;  // kind, text
  for (std::size_t i = 0; i < n; ++i) {
    files.emplace_back("troncato", whole.substr(0, at(i)));
    // After a line break, which no text holds.
    std::string junk = whole;
    junk.insert(whole.find('\n', at(i)) + 1, "}{");
    files.emplace_back("non è JSON", junk);
    std::string nul = whole;
    nul[at(i)] = '\0';
    files.emplace_back("byte nullo", nul);
    std::string deep = whole;
    deep.insert(whole.rfind('}'), ",\"x\":" + std::string(10000, '[') + std::string(10000, ']'));
    deep.insert(1, std::string(i, ' '));
    files.emplace_back("annida", deep);
    files.emplace_back(
        "4 MB", whole.substr(0, at(i)) + std::string((10 << 20) + i, ' ') + whole.substr(at(i)));
  }
  // A key of every section given a wrong type, a number, a list or an object.
  const char* keys[] = {"\"Po\"",     "\"f\"",     "\"M\"",     "\"QU\"",          "\"Ron\"",
                        "\"serieC\"", "\"prove\"", "\"punti\"", "\"exactDesign\"", "\"network\"",
                        "\"name\"",   "\"main\"",  "\"parts\"", "\"sweep\""};
  const char* wrong[] = {"5", "[\"5\"]", "{\"a\":\"5\"}", "\"5\"", "1.5", "false"};
  for (std::size_t i = 0; files.size() < 5 * n + n; ++i) {
    const std::string key = keys[i % std::size(keys)];
    const std::size_t pos = whole.find(key + ": ");
    ASSERT_NE(pos, std::string::npos) << key;
    const std::size_t start = pos + key.size() + 2;
    std::size_t end = start;
    if (whole[start] == '"') {
      end = whole.find('"', start + 1) + 1;
    } else if (whole[start] == '{') {
      end = whole.find('}', start) + 1;
    } else {
      end = whole.find_first_of(",\n", start);
    }
    const std::string value = wrong[i % std::size(wrong)];
    const std::string old = whole.substr(start, end - start);
    if (old.front() == value.front() || (old == "true" && value == "false") ||
        (key == "\"network\"" && value == "false"))
      continue;  // not a wrong type
    files.emplace_back("deve essere", whole.substr(0, start) + value + whole.substr(end));
  }
  for (std::size_t i = 0; i < n; ++i) {
    const std::string big =
        i % 2 ? "1e" + std::to_string(309 + i * 40) : "-" + std::string(400 + i, '9');
    const std::size_t point = whole.find("1200.5");
    files.emplace_back("troppo grande", whole.substr(0, point) + big + whole.substr(point + 6));
  }
  ASSERT_EQ(files.size(), 7 * n);
  for (const auto& [kind, text] : files) {
    const std::string message = MustRefuse(text);
    EXPECT_NE(message.find(kind), std::string::npos) << kind << ": " << message << "\n"
                                                     << text.substr(0, 300);
  }
}

TEST(DamagedDesignFile, TooManyCurvePointsAreRefused) {
  std::string points;
  for (std::size_t i = 0; i <= kMaxCurvePoints; ++i)
    points += (i ? ",[" : "[") + std::to_string(i) + ",1]";
  EXPECT_NE(
      MustRefuse(
          R"({"format":"classe-e","version":1,"realCircuit":{"curve":{"name":"a","points":[)" +
          points + "]}}}")
          .find("più di"),
      std::string::npos);
}

}  // namespace
}  // namespace classe::document
