// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/statistics/results_csv.h"

#include <charconv>
#include <string>

namespace classe::statistics {
namespace {

// The shortest text that reads back as the same double, whatever the locale.
void Put(std::string& line, double x) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, x).ptr;
  line.append(text, end);
}

void PutFigures(std::string& line, const StageFigures& f) {
  for (double v : {f.Po, f.efficiency, f.vPeak, f.iSwitchPeak, f.vonFraction}) {
    line += ',';
    Put(line, v);
  }
}

}  // namespace

void WriteBuildsCsv(std::ostream& out, const MonteCarloResult& result) {
  out << kBuildsCsvHeader << '\n';
  std::string line;
  for (std::size_t i = 0; i < result.rows.size(); ++i) {
    const BuildRow& r = result.rows[i];
    if (!r.done) continue;
    line = std::to_string(i);
    const BuildParts& p = r.drawn;
    for (double v : {p.Cext, p.Coss, p.C2, p.L1, p.L2, p.networkL, p.networkC, p.load, p.Ron,
                     r.L2Tuned, r.loadTuned}) {
      line += ',';
      Put(line, v);
    }
    line += r.figures ? ",1" : ",0";
    if (r.figures) {
      PutFigures(line, *r.figures);
    } else {
      line += ",,,,,";
    }
    for (bool ok : {r.poOk, r.vonOk, r.vPeakOk, r.allOk})
      line += ok ? ",1" : ",0";
    out << line << '\n';
  }
}

void WriteSweepCsv(std::ostream& out, const SweepResult& result) {
  out << kSweepCsvHeader << '\n';
  std::string line;
  for (const SweepPoint& p : result.points) {
    if (!p.done || !p.figures) continue;
    line.clear();
    Put(line, p.x);
    PutFigures(line, *p.figures);
    out << line << '\n';
  }
}

}  // namespace classe::statistics
