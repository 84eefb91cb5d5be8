// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/document_controls.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "actions/form1_controls.h"
#include "actions/form4_controls.h"
#include "actions/recording_controls.h"
#include "engine/document/document_json.h"

namespace classe {
namespace {

using document::DesignDocument;

DesignDocument WithCurve() {
  DesignDocument doc = DefaultDocument();
  doc.main["Vcc"] = " 24";
  doc.realCircuit.texts["QU"] = "abc";
  doc.realCircuit.network = true;
  doc.realCircuit.exactDesign = false;
  doc.realCircuit.curveName = "irf510.csv";
  doc.realCircuit.curve = {{0, 180}, {25, 81}, {100, 40}};
  return doc;
}

TEST(DocumentControls, DefaultsAreTheWindowsTextsAtStart) {
  RecordingControls ui;
  RealCircuitState circuit;
  EXPECT_EQ(DocumentFromControls(ui, circuit, DefaultDocument()).main, DefaultDocument().main);
  EXPECT_EQ(DefaultDocument().main.size(), kInputFields.size());
  EXPECT_EQ(DefaultDocument().realCircuit.texts.size(), kRealCircuitFields.size());
  EXPECT_EQ(DefaultDocument().parts.at("serieC"), "E24");
  EXPECT_EQ(DefaultDocument().sweep.at("punti"), "31");
}

TEST(DocumentControls, ShownThenGatheredGivesTheSameDocument) {
  RecordingControls ui;
  RealCircuitState circuit;
  const DesignDocument doc = WithCurve();
  ASSERT_EQ(ShowDocument(doc, ui, circuit), std::nullopt);
  EXPECT_EQ(ui.text(form1::Text5), " 24");
  EXPECT_EQ(ui.text(form4::Text3), "abc");
  EXPECT_TRUE(ui.isChecked(form4::Check1));
  EXPECT_TRUE(ui.isSelected(form4::Option2));
  ASSERT_TRUE(circuit.curve);
  EXPECT_EQ(circuit.curveName, "irf510.csv");
  EXPECT_NEAR(circuit.curve->capacitance(25), 81e-12, 1e-24);
  const DesignDocument back = DocumentFromControls(ui, circuit, doc);
  EXPECT_EQ(back.main, doc.main);
  EXPECT_EQ(back.realCircuit.texts, doc.realCircuit.texts);
  EXPECT_EQ(back.realCircuit.network, doc.realCircuit.network);
  EXPECT_EQ(back.realCircuit.exactDesign, doc.realCircuit.exactDesign);
  ASSERT_EQ(back.realCircuit.curve.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(back.realCircuit.curve[i].vds, doc.realCircuit.curve[i].vds);
    EXPECT_NEAR(back.realCircuit.curve[i].cossPf, doc.realCircuit.curve[i].cossPf, 1e-12);
  }
}

TEST(DocumentControls, ARefusedCurveChangesNothing) {
  RecordingControls ui;
  RealCircuitState circuit;
  DesignDocument doc = WithCurve();
  doc.realCircuit.curve = {{0, 180}, {25, 81}, {10, 40}};  // Vds falls
  const auto refused = ShowDocument(doc, ui, circuit);
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->find("irf510.csv"), std::string::npos);
  EXPECT_EQ(ui.text(form1::Text5), "28");
  EXPECT_FALSE(ui.isChecked(form4::Check1));
  EXPECT_FALSE(circuit.curve);
  EXPECT_EQ(ui.changes(), 0);
}

TEST(DocumentControls, NoCurveInTheDocumentUnloadsTheCurve) {
  RecordingControls ui;
  RealCircuitState circuit;
  ASSERT_EQ(ShowDocument(WithCurve(), ui, circuit), std::nullopt);
  ASSERT_EQ(ShowDocument(DefaultDocument(), ui, circuit), std::nullopt);
  EXPECT_FALSE(circuit.curve);
  EXPECT_EQ(circuit.curveName, "");
  EXPECT_TRUE(ui.isSelected(form4::Option1));
}

// Every key the writer emits is described in docs/design-file.md, and every
// key the description's table lists is one the writer emits.
TEST(DesignFileDescription, ListsExactlyTheKeysTheWriterEmits) {
  std::ifstream in(DESIGN_FILE_DOC);
  ASSERT_TRUE(in) << DESIGN_FILE_DOC;
  std::stringstream content;
  content << in.rdbuf();
  const std::string doc = content.str();
  std::set<std::string> described;
  const std::regex row(R"(\n\| `([A-Za-z.]+)` \|)");
  for (auto it = std::sregex_iterator(doc.begin(), doc.end(), row); it != std::sregex_iterator();
       ++it)
    described.insert((*it)[1]);

  std::set<std::string> written;
  std::vector<std::string> path;
  const std::regex key(R"re(^( *)"([A-Za-z]+)": *([{[])?)re");
  std::istringstream lines(document::WriteDocument(WithCurve()));
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (!std::regex_search(line, m, key)) continue;
    path.resize(static_cast<std::size_t>(m[1].length()) / 2 - 1);
    std::string name;
    for (const auto& p : path)
      name += p + '.';
    name += m[2].str();
    written.insert(name);
    if (m[3].matched) path.push_back(m[2]);
  }
  EXPECT_GT(written.size(), 40u);
  for (const auto& name : written)
    EXPECT_TRUE(described.count(name)) << name << " not described";
  for (const auto& name : described)
    EXPECT_TRUE(written.count(name)) << name << " not written";
}

}  // namespace
}  // namespace classe
