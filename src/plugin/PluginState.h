// The one process-wide record of everything the library keeps.
#pragma once

#include <cstdint>

#include "numtext/Text.h"

namespace numora {

struct PluginState {
  // Declared in reverse of the release order at unload.
  Text plugin_path;
  Text exchange_register;
  Text split_text;
  Text first_operand_text;
  Text second_operand_text;
  Text angle_unit;

  void* parent_window = nullptr;
  intptr_t plugin_data = 0;
  long double last_operand = 0.0L;
  long double last_result = 0.0L;
  int32_t integer_value = 0;
  int32_t bitwise_result = 0;
  // Whether the last real result's print rounded: a guess at the next one's.
  bool last_print_rounded = true;
};

// GCC builds the record at compile time, so it is ready before any code of the library runs.
// clang cannot yet evaluate the strings' constructors at compile time: there the record is
// built first among the library's initialisers instead.
#if defined(__clang__)
#define NUMORA_STATE_INITIALIZATION __attribute__((init_priority(102)))
#define NUMORA_STATE_DECLARATION
#else
#define NUMORA_STATE_INITIALIZATION constinit
#define NUMORA_STATE_DECLARATION constinit
#endif

extern NUMORA_STATE_DECLARATION PluginState plugin_state;
inline PluginState& State() { return plugin_state; }

}  // namespace numora
