#include "common/hookdata.h"

namespace gx {

void WriteKeySettings(GlobalHookData& block, uint16_t panelShortcut, uint16_t raveloShortcut,
                      uint8_t raveloMode, bool raveloOn) {
  const KeyCombination panel = SplitShortcut(panelShortcut);
  const KeyCombination ravelo = SplitShortcut(raveloShortcut);
  // volatile: the block is shared memory that other processes read field by field.
  volatile GlobalHookData& b = block;
  b.PanelKey = panel.key;
  b.PanelShift = panel.mask;
  b.RaveloKey = ravelo.key;
  b.RaveloShift = ravelo.mask;
  b.RaveloMode = raveloMode;
  b.RaveloOn = raveloOn ? 1 : 0;
}

}  // namespace gx
