// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/form4_controls.h"
#include "actions/value_box.h"

// The value boxes of the real-circuit window: each row of the table is a
// quantity, each column a design (ideale, esatto) or ngspice.
namespace classe::boxes {
// clang-format off

// The two designs.
inline constexpr ValueBox RIdeal{form4::Label17, "R", "R ideale", "[Ω]", 1, kScientific3};
inline constexpr ValueBox RExact{form4::Label18, "R", "R esatto", "[Ω]", 1, kScientific3};
inline constexpr ValueBox L1Ideal{form4::Label21, "L1", "L1 ideale", "[µH]", kMicro, kScientific3};
inline constexpr ValueBox L1Exact{form4::Label22, "L1", "L1 esatto", "[µH]", kMicro, kScientific3};
inline constexpr ValueBox C1Ideal{form4::Label25, "C1", "C1 ideale", "[pF]", kPico, kScientific3};
inline constexpr ValueBox C1Exact{form4::Label26, "C1", "C1 esatto", "[pF]", kPico, kScientific3};
inline constexpr ValueBox C1ToBuyIdeal{form4::Label29, "C1 − Coss", "C1 − Coss ideale", "[pF]", kPico, kScientific3};
inline constexpr ValueBox C1ToBuyExact{form4::Label30, "C1 − Coss", "C1 − Coss esatto", "[pF]", kPico, kScientific3};
inline constexpr ValueBox C2Ideal{form4::Label33, "C2", "C2 ideale", "[pF]", kPico, kScientific3};
inline constexpr ValueBox C2Exact{form4::Label34, "C2", "C2 esatto", "[pF]", kPico, kScientific3};
inline constexpr ValueBox L2Ideal{form4::Label37, "L2", "L2 ideale", "[µH]", kMicro, kScientific3};
inline constexpr ValueBox L2Exact{form4::Label38, "L2", "L2 esatto", "[µH]", kMicro, kScientific3};
inline constexpr ValueBox NetworkLIdeal{form4::Label41, "L rete", "L rete ideale", "[µH]", kMicro, kScientific3};
inline constexpr ValueBox NetworkLExact{form4::Label42, "L rete", "L rete esatto", "[µH]", kMicro, kScientific3};
inline constexpr ValueBox NetworkCIdeal{form4::Label45, "C rete", "C rete ideale", "[pF]", kPico, kScientific3};
inline constexpr ValueBox NetworkCExact{form4::Label46, "C rete", "C rete esatto", "[pF]", kPico, kScientific3};
inline constexpr ValueBox Iterations{form4::Label48, "iterazioni", "iterazioni", "", 1, kWhole};
// What the real circuit does with each; the efficiency and the turn-on
// voltage as percentages, the latter of the drain peak.
inline constexpr ValueBox PoIdeal{form4::Label52, "Po", "Po ideale", "[W]", 1, kScientific3};
inline constexpr ValueBox PoExact{form4::Label53, "Po", "Po esatto", "[W]", 1, kScientific3};
inline constexpr ValueBox PoNgspice{form4::Label54, "Po", "Po ngspice", "[W]", 1, kScientific3};
inline constexpr ValueBox PoDifference{form4::Label55, "Po", "Po differenza", "[%]", 1, kFixed2};
inline constexpr ValueBox EfficiencyIdeal{form4::Label58, "rendimento", "rendimento ideale", "[%]", 100, kFixed2};
inline constexpr ValueBox EfficiencyExact{form4::Label59, "rendimento", "rendimento esatto", "[%]", 100, kFixed2};
inline constexpr ValueBox EfficiencyNgspice{form4::Label60, "rendimento", "rendimento ngspice", "[%]", 100, kFixed2};
inline constexpr ValueBox EfficiencyDifference{form4::Label61, "rendimento", "rendimento differenza", "[%]", 1, kFixed2};
inline constexpr ValueBox TurnOnIdeal{form4::Label64, "Vacc/Vpicco", "Vacc/Vpicco ideale", "[%]", 100, kFixed2};
inline constexpr ValueBox TurnOnExact{form4::Label65, "Vacc/Vpicco", "Vacc/Vpicco esatto", "[%]", 100, kFixed2};
inline constexpr ValueBox TurnOnNgspice{form4::Label66, "Vacc/Vpicco", "Vacc/Vpicco ngspice", "[%]", 100, kFixed2};
inline constexpr ValueBox TurnOnDifference{form4::Label67, "Vacc/Vpicco", "Vacc/Vpicco differenza", "[%]", 1, kFixed2};
inline constexpr ValueBox VpeakIdeal{form4::Label70, "Vpicco", "Vpicco ideale", "[V]", 1, kScientific3};
inline constexpr ValueBox VpeakExact{form4::Label71, "Vpicco", "Vpicco esatto", "[V]", 1, kScientific3};
inline constexpr ValueBox SwitchPeakIdeal{form4::Label74, "Isw picco", "Isw picco ideale", "[A]", 1, kScientific3};
inline constexpr ValueBox SwitchPeakExact{form4::Label75, "Isw picco", "Isw picco esatto", "[A]", 1, kScientific3};
inline constexpr ValueBox SecondIdeal{form4::Label78, "2ª armonica", "2ª armonica ideale", "[dBc]", 1, kFixed2};
inline constexpr ValueBox SecondExact{form4::Label79, "2ª armonica", "2ª armonica esatto", "[dBc]", 1, kFixed2};
inline constexpr ValueBox ThirdIdeal{form4::Label82, "3ª armonica", "3ª armonica ideale", "[dBc]", 1, kFixed2};
inline constexpr ValueBox ThirdExact{form4::Label83, "3ª armonica", "3ª armonica esatto", "[dBc]", 1, kFixed2};
// Peak current and voltage of every part.
inline constexpr ValueBox CurrentL1Ideal{form4::Label90, "I L1", "I L1 ideale", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageL1Ideal{form4::Label91, "V L1", "V L1 ideale", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentL1Exact{form4::Label92, "I L1", "I L1 esatto", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageL1Exact{form4::Label93, "V L1", "V L1 esatto", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentC1Ideal{form4::Label95, "I C1", "I C1 ideale", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageC1Ideal{form4::Label96, "V C1", "V C1 ideale", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentC1Exact{form4::Label97, "I C1", "I C1 esatto", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageC1Exact{form4::Label98, "V C1", "V C1 esatto", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentC2Ideal{form4::Label100, "I C2", "I C2 ideale", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageC2Ideal{form4::Label101, "V C2", "V C2 ideale", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentC2Exact{form4::Label102, "I C2", "I C2 esatto", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageC2Exact{form4::Label103, "V C2", "V C2 esatto", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentL2Ideal{form4::Label105, "I L2", "I L2 ideale", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageL2Ideal{form4::Label106, "V L2", "V L2 ideale", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentL2Exact{form4::Label107, "I L2", "I L2 esatto", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageL2Exact{form4::Label108, "V L2", "V L2 esatto", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentNetworkLIdeal{form4::Label110, "I L rete", "I L rete ideale", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageNetworkLIdeal{form4::Label111, "V L rete", "V L rete ideale", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentNetworkLExact{form4::Label112, "I L rete", "I L rete esatto", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageNetworkLExact{form4::Label113, "V L rete", "V L rete esatto", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentNetworkCIdeal{form4::Label115, "I C rete", "I C rete ideale", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageNetworkCIdeal{form4::Label116, "V C rete", "V C rete ideale", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentNetworkCExact{form4::Label117, "I C rete", "I C rete esatto", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageNetworkCExact{form4::Label118, "V C rete", "V C rete esatto", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentLoadIdeal{form4::Label120, "I carico", "I carico ideale", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageLoadIdeal{form4::Label121, "V carico", "V carico ideale", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentLoadExact{form4::Label122, "I carico", "I carico esatto", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageLoadExact{form4::Label123, "V carico", "V carico esatto", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentSwitchIdeal{form4::Label125, "I switch", "I switch ideale", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageSwitchIdeal{form4::Label126, "V switch", "V switch ideale", "[V]", 1, kScientific3};
inline constexpr ValueBox CurrentSwitchExact{form4::Label127, "I switch", "I switch esatto", "[A]", 1, kScientific3};
inline constexpr ValueBox VoltageSwitchExact{form4::Label128, "V switch", "V switch esatto", "[V]", 1, kScientific3};
inline constexpr ValueBox PeakRatioIdeal{form4::Label152, "Vpicco/Vcc", "Vpicco/Vcc ideale", "", 1, kFixed2};
inline constexpr ValueBox PeakRatioExact{form4::Label153, "Vpicco/Vcc", "Vpicco/Vcc esatto", "", 1, kFixed2};
inline constexpr ValueBox MarginIdeal{form4::Label156, "margine V(BR)DSS", "margine V(BR)DSS ideale", "[%]", 100, kFixed2};
inline constexpr ValueBox MarginExact{form4::Label157, "margine V(BR)DSS", "margine V(BR)DSS esatto", "[%]", 100, kFixed2};
// The read-out of the curves; the unit follows the curve read.
inline constexpr ValueBox CursorTeta{form4::Label134, "teta", "teta", "[rad]", 1, kFixed2};
inline constexpr ValueBox CursorExact{form4::Label137, "esatto", "valore esatto", "", 1, kFixed2};
inline constexpr ValueBox CursorIdeal{form4::Label139, "ideale", "valore ideale", "", 1, kFixed2};

// clang-format on
}  // namespace classe::boxes
