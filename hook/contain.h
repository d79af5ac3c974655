#pragma once
// The net at the hook boundaries: whatever a step raises ends here, so that
// the step after it, and in the end the call of the next hook, still runs.

namespace gx::hook {

template <class Step>
void Contained(Step&& step) noexcept {
  try {
    step();
  } catch (...) {
    // Nothing to report from inside another program; the step is dropped.
  }
}

}  // namespace gx::hook
