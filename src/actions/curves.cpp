// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/curves.h"

#include "engine/design/sampling.h"

namespace classe {

const std::array<Curve, 4>& Curves() {
  static const std::array<Curve, 4> curves{{
      {&DesignState::Vc1Samples, &DesignState::Vc1max, FindVc1Max, 80, 18, kVc1Colour,
       form2::Option1, 79.5, boxes::Vc1Teta, boxes::Vc1, "V"},
      {&DesignState::IswSamples, &DesignState::Iswmax, FindIswMax, 60, 18, kIswColour,
       form2::Option2, 59.5, boxes::IswTeta, boxes::Isw, "A"},
      {&DesignState::Ic1Samples, &DesignState::Ic1max, FindIc1Max, 40, 18, kIc1Colour,
       form2::Option3, 30, boxes::Ic1Teta, boxes::Ic1, "A"},
      {&DesignState::IrSamples, &DesignState::Irmax, FindIrMax, 20, 9, kIrColour, form2::Option4, 0,
       boxes::IrTeta, boxes::Ir, "A"},
  }};
  return curves;
}

}  // namespace classe
