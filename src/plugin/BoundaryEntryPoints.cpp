// The eleven entry points that serve the host: identity, window, path, data and the register.
#include "numora/numora.h"
#include "platform/EntryTransport.h"
#include "platform/Platform.h"
#include "plugin/PluginState.h"

namespace {

const char kCopyright[] = "Copyright (C) 2026 Dravik PlugIns. All rights reserved.";
const char kShortInfo[] = "DravikNumora++";
const char kInfo[] =
    "DravikNumora++ form Dravik PlugIns pack v1.0\r\n\r\n"
    "Real functions in 80-bit extended precision and integer radix conversions.";
const char kEmptyText[] = "";

void CopyText(numora::Text& into, const char* text) {
  numora::platform::RunEntry(
      [&] { numora::AssignText(into, text == nullptr ? kEmptyText : text); });
}

}  // namespace

extern "C" {

const char* NUMORA_CALL Copyright(void) { return kCopyright; }
const char* NUMORA_CALL GetShortInfo(void) { return kShortInfo; }
const char* NUMORA_CALL GetInfo(void) { return kInfo; }
int32_t NUMORA_CALL GetType(void) { return 0; }

void* NUMORA_CALL SetParentWindow(void* window) {
  numora::State().parent_window = window;
  return window;
}

int32_t NUMORA_CALL Draw(void* device_context) {
  return numora::platform::SetBackgroundModeOpaque(device_context);
}

void NUMORA_CALL SetPath(const char* path) { CopyText(numora::State().plugin_path, path); }
void NUMORA_CALL SetFile(const char* text) { CopyText(numora::State().exchange_register, text); }

const char* NUMORA_CALL GetFile(void) {
  const numora::Text& text = numora::State().exchange_register;
  return text.empty() ? kEmptyText : text.c_str();
}

intptr_t NUMORA_CALL SetData(intptr_t data) {
  numora::State().plugin_data = data;
  return data;
}

intptr_t NUMORA_CALL GetData(void) { return numora::State().plugin_data; }

}  // extern "C"
