#include "plugin/PluginState.h"

namespace numora {

// Constant-initialised: ready before any code of the library runs, with no guard to test.
constinit PluginState plugin_state;

}  // namespace numora
