// Thread priorities of the translator: raised while it translates, lowered before
// the build commands run. Best effort: a refused change is ignored.
#pragma once

namespace platform {

void raise_thread_priority();
void lower_thread_priority();

}  // namespace platform
