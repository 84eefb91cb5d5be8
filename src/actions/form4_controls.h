// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/controls.h"

// The real-circuit window's controls: the ideal and the exact design side by
// side, what the real circuit does with each, the curves, and the check with
// ngspice.
namespace classe::form4 {

constexpr Control Of(std::string_view name) {
  return {Window::Form4, name};
}

// Title, the inputs of the real stage and the buttons.
inline constexpr Control Label1 = Of("Label1");  // title
inline constexpr Control Label2 = Of("Label2");  // Ron
inline constexpr Control Text1 = Of("Text1");
inline constexpr Control Label3 = Of("Label3");
inline constexpr Control Label4 = Of("Label4");  // Coss
inline constexpr Control Text2 = Of("Text2");
inline constexpr Control Label5 = Of("Label5");
inline constexpr Control Label6 = Of("Label6");  // QU
inline constexpr Control Text3 = Of("Text3");
inline constexpr Control Label7 = Of("Label7");        // "vuoto: induttanze senza perdite"
inline constexpr Control Check1 = Of("Check1");        // "con rete di adattamento"
inline constexpr Control Command1 = Of("Command1");    // "Calcola"
inline constexpr Control Label8 = Of("Label8");        // "Netlist e verifica con ngspice:"
inline constexpr Control Option1 = Of("Option1");      // "progetto esatto"
inline constexpr Control Option2 = Of("Option2");      // "progetto ideale"
inline constexpr Control Command2 = Of("Command2");    // "Verifica con ngspice"
inline constexpr Control Command3 = Of("Command3");    // "Interrompi"
inline constexpr Control Progress1 = Of("Progress1");  // busy while ngspice runs
inline constexpr Control Label9 = Of("Label9");        // what ngspice is doing, or why it cannot
inline constexpr Control Command4 = Of("Command4");    // "Esci"

// Column headings of the table.
inline constexpr Control Label10 = Of("Label10");  // "Ideale"
inline constexpr Control Label11 = Of("Label11");  // "Esatto"
inline constexpr Control Label12 = Of("Label12");  // "ngspice"
inline constexpr Control Label13 = Of("Label13");  // "differenza [%]"

// The two designs: caption, unit, ideal value, exact value.
inline constexpr Control Label14 = Of("Label14");  // "Progetto"
inline constexpr Control Label15 = Of("Label15");  // R
inline constexpr Control Label16 = Of("Label16");
inline constexpr Control Label17 = Of("Label17");
inline constexpr Control Label18 = Of("Label18");
inline constexpr Control Label19 = Of("Label19");  // L1
inline constexpr Control Label20 = Of("Label20");
inline constexpr Control Label21 = Of("Label21");
inline constexpr Control Label22 = Of("Label22");
inline constexpr Control Label23 = Of("Label23");  // C1
inline constexpr Control Label24 = Of("Label24");
inline constexpr Control Label25 = Of("Label25");
inline constexpr Control Label26 = Of("Label26");
inline constexpr Control Label27 = Of("Label27");  // C1 − Coss
inline constexpr Control Label28 = Of("Label28");
inline constexpr Control Label29 = Of("Label29");
inline constexpr Control Label30 = Of("Label30");
inline constexpr Control Label31 = Of("Label31");  // C2
inline constexpr Control Label32 = Of("Label32");
inline constexpr Control Label33 = Of("Label33");
inline constexpr Control Label34 = Of("Label34");
inline constexpr Control Label35 = Of("Label35");  // L2
inline constexpr Control Label36 = Of("Label36");
inline constexpr Control Label37 = Of("Label37");
inline constexpr Control Label38 = Of("Label38");
inline constexpr Control Label39 = Of("Label39");  // L of the network
inline constexpr Control Label40 = Of("Label40");
inline constexpr Control Label41 = Of("Label41");
inline constexpr Control Label42 = Of("Label42");
inline constexpr Control Label43 = Of("Label43");  // C of the network
inline constexpr Control Label44 = Of("Label44");
inline constexpr Control Label45 = Of("Label45");
inline constexpr Control Label46 = Of("Label46");
inline constexpr Control Label47 = Of("Label47");  // iterations: caption
inline constexpr Control Label48 = Of("Label48");  // iterations of the exact design

// What the real circuit does with each: caption, unit, ideal, exact, and
// for the first three ngspice and the difference.
inline constexpr Control Label49 = Of("Label49");  // "Circuito reale"
inline constexpr Control Label50 = Of("Label50");  // Po
inline constexpr Control Label51 = Of("Label51");
inline constexpr Control Label52 = Of("Label52");
inline constexpr Control Label53 = Of("Label53");
inline constexpr Control Label54 = Of("Label54");
inline constexpr Control Label55 = Of("Label55");
inline constexpr Control Label56 = Of("Label56");  // efficiency
inline constexpr Control Label57 = Of("Label57");
inline constexpr Control Label58 = Of("Label58");
inline constexpr Control Label59 = Of("Label59");
inline constexpr Control Label60 = Of("Label60");
inline constexpr Control Label61 = Of("Label61");
inline constexpr Control Label62 = Of("Label62");  // turn-on voltage
inline constexpr Control Label63 = Of("Label63");
inline constexpr Control Label64 = Of("Label64");
inline constexpr Control Label65 = Of("Label65");
inline constexpr Control Label66 = Of("Label66");
inline constexpr Control Label67 = Of("Label67");
inline constexpr Control Label68 = Of("Label68");  // drain peak
inline constexpr Control Label69 = Of("Label69");
inline constexpr Control Label70 = Of("Label70");
inline constexpr Control Label71 = Of("Label71");
inline constexpr Control Label72 = Of("Label72");  // switch peak
inline constexpr Control Label73 = Of("Label73");
inline constexpr Control Label74 = Of("Label74");
inline constexpr Control Label75 = Of("Label75");
inline constexpr Control Label76 = Of("Label76");  // 2nd harmonic
inline constexpr Control Label77 = Of("Label77");
inline constexpr Control Label78 = Of("Label78");
inline constexpr Control Label79 = Of("Label79");
inline constexpr Control Label80 = Of("Label80");  // 3rd harmonic
inline constexpr Control Label81 = Of("Label81");
inline constexpr Control Label82 = Of("Label82");
inline constexpr Control Label83 = Of("Label83");

// Peak current and voltage of every part: caption, then I and V of the
// ideal design and of the exact one.
inline constexpr Control Label84 = Of("Label84");  // "Valori di picco dei componenti"
inline constexpr Control Label85 = Of("Label85");  // "I ideale [A]"
inline constexpr Control Label86 = Of("Label86");  // "V ideale [V]"
inline constexpr Control Label87 = Of("Label87");  // "I esatto [A]"
inline constexpr Control Label88 = Of("Label88");  // "V esatto [V]"
inline constexpr Control Label89 = Of("Label89");  // L1
inline constexpr Control Label90 = Of("Label90");
inline constexpr Control Label91 = Of("Label91");
inline constexpr Control Label92 = Of("Label92");
inline constexpr Control Label93 = Of("Label93");
inline constexpr Control Label94 = Of("Label94");  // C1
inline constexpr Control Label95 = Of("Label95");
inline constexpr Control Label96 = Of("Label96");
inline constexpr Control Label97 = Of("Label97");
inline constexpr Control Label98 = Of("Label98");
inline constexpr Control Label99 = Of("Label99");  // C2
inline constexpr Control Label100 = Of("Label100");
inline constexpr Control Label101 = Of("Label101");
inline constexpr Control Label102 = Of("Label102");
inline constexpr Control Label103 = Of("Label103");
inline constexpr Control Label104 = Of("Label104");  // L2
inline constexpr Control Label105 = Of("Label105");
inline constexpr Control Label106 = Of("Label106");
inline constexpr Control Label107 = Of("Label107");
inline constexpr Control Label108 = Of("Label108");
inline constexpr Control Label109 = Of("Label109");  // L of the network
inline constexpr Control Label110 = Of("Label110");
inline constexpr Control Label111 = Of("Label111");
inline constexpr Control Label112 = Of("Label112");
inline constexpr Control Label113 = Of("Label113");
inline constexpr Control Label114 = Of("Label114");  // C of the network
inline constexpr Control Label115 = Of("Label115");
inline constexpr Control Label116 = Of("Label116");
inline constexpr Control Label117 = Of("Label117");
inline constexpr Control Label118 = Of("Label118");
inline constexpr Control Label119 = Of("Label119");  // load
inline constexpr Control Label120 = Of("Label120");
inline constexpr Control Label121 = Of("Label121");
inline constexpr Control Label122 = Of("Label122");
inline constexpr Control Label123 = Of("Label123");
inline constexpr Control Label124 = Of("Label124");  // switch
inline constexpr Control Label125 = Of("Label125");
inline constexpr Control Label126 = Of("Label126");
inline constexpr Control Label127 = Of("Label127");
inline constexpr Control Label128 = Of("Label128");

// The curves, with a caption for each strip, and the read-out.
inline constexpr Control Picture1 = Of("Picture1");
// The transistor's Coss(v) in use, V against pF, and its caption.
inline constexpr Control Picture2 = Of("Picture2");
inline constexpr Control Label158 = Of("Label158");
inline constexpr Control Label129 = Of("Label129");  // Vc1 strip
inline constexpr Control Label130 = Of("Label130");  // Isw strip
inline constexpr Control Label131 = Of("Label131");  // Ic1 strip
inline constexpr Control Label132 = Of("Label132");  // Ir strip
inline constexpr Control Label133 = Of("Label133");  // "teta"
inline constexpr Control Label134 = Of("Label134");  // teta at the cursor
inline constexpr Control Label135 = Of("Label135");  // "[rad]"
inline constexpr Control Label136 = Of("Label136");  // "esatto"
inline constexpr Control Label137 = Of("Label137");  // the exact curve at the cursor
inline constexpr Control Label138 = Of("Label138");  // "ideale"
inline constexpr Control Label139 = Of("Label139");  // the ideal curve at the cursor
inline constexpr Control Label140 = Of("Label140");  // the unit of the curve read
inline constexpr Control Label141 = Of("Label141");  // version caption

// The transistor: where its Coss is given, its law, its rating, its curve.
inline constexpr Control Label142 = Of("Label142");  // "Transistor"
inline constexpr Control Label143 = Of("Label143");  // "Vds"
inline constexpr Control Text4 = Of("Text4");
inline constexpr Control Label144 = Of("Label144");
inline constexpr Control Label145 = Of("Label145");  // "m"
inline constexpr Control Text5 = Of("Text5");
inline constexpr Control Label146 = Of("Label146");  // "Vj"
inline constexpr Control Text6 = Of("Text6");
inline constexpr Control Label147 = Of("Label147");
inline constexpr Control Label148 = Of("Label148");  // "V(BR)DSS"
inline constexpr Control Text7 = Of("Text7");
inline constexpr Control Label149 = Of("Label149");
inline constexpr Control Command5 = Of("Command5");  // "Carica curva Coss…"
inline constexpr Control Label150 = Of("Label150");  // the curve in use, or the law
inline constexpr Control Command6 = Of("Command6");  // "Componenti commerciali…"

// The drain peak against the supply and against the rating.
inline constexpr Control Label151 = Of("Label151");  // "Vpicco/Vcc"
inline constexpr Control Label152 = Of("Label152");
inline constexpr Control Label153 = Of("Label153");
inline constexpr Control Label154 = Of("Label154");  // "margine V(BR)DSS"
inline constexpr Control Label155 = Of("Label155");
inline constexpr Control Label156 = Of("Label156");
inline constexpr Control Label157 = Of("Label157");

}  // namespace classe::form4
