#include "plugin/PluginState.h"

namespace numora {

PluginState& State() {
  static PluginState state;
  return state;
}

}  // namespace numora
