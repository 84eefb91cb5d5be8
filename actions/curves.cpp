#include "actions/curves.h"

#include "design/sampling.h"

namespace classe {

const std::array<Curve, 4>& Curves() {
  static const std::array<Curve, 4> curves{{
      {"Vc1(teta)", &DesignState::Vc1Samples, &DesignState::Vc1max, FindVc1Max, 80, 18, kVc1Colour,
       "Option1", 79.5, "Label16", "Label17", "V"},
      {"Isw(teta)", &DesignState::IswSamples, &DesignState::Iswmax, FindIswMax, 60, 18, kIswColour,
       "Option2", 59.5, "Label23", "Label24", "A"},
      {"Ic1(teta)", &DesignState::Ic1Samples, &DesignState::Ic1max, FindIc1Max, 40, 18, kIc1Colour,
       "Option3", 30, "Label29", "Label32", "A"},
      {"Ir(teta)", &DesignState::IrSamples, &DesignState::Irmax, FindIrMax, 20, 9, kIrColour,
       "Option4", 0, "Label35", "Label36", "A"},
  }};
  return curves;
}

}  // namespace classe
