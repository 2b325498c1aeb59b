#include "plugin/PluginState.h"

namespace numora {

NUMORA_STATE_INITIALIZATION PluginState plugin_state;

}  // namespace numora
