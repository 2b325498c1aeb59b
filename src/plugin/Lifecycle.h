// Start-up and shut-down of the library's parts, run from the platform's entry function.
#pragma once

namespace numora {

// Returns false after showing the run-time error box when a part fails to start.
bool StartLibrary();
void StopLibrary();

}  // namespace numora
