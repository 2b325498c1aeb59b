#include "LibraryLoader.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#endif

namespace host {

#ifdef _WIN32
bool LibraryLoader::Open(const std::string& path, std::string& error) {
  handle_ = LoadLibraryA(path.empty() ? "Numora.dll" : path.c_str());
  if (handle_ == nullptr)
    error = "cannot load " + (path.empty() ? std::string("Numora.dll") : path);
  return handle_ != nullptr;
}
void* LibraryLoader::Find(const char* name) const {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}
#else
namespace {
std::string BesideThisProgram(const char* file) {
  char self[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return file;
  std::string path(self, static_cast<std::size_t>(n));
  return path.substr(0, path.rfind('/') + 1) + file;
}
}  // namespace

bool LibraryLoader::Open(const std::string& path, std::string& error) {
  if (path.empty()) {
    // Beside the program (the build tree), then as installed (bin/ and lib/), then wherever
    // the dynamic loader looks.
    handle_ = dlopen(BesideThisProgram("libnumora.so.1").c_str(), RTLD_NOW);
    if (handle_ == nullptr) {
      handle_ = dlopen(BesideThisProgram("../" NUMORA_INSTALL_LIBDIR "/libnumora.so.1").c_str(),
                       RTLD_NOW);
    }
    if (handle_ == nullptr) handle_ = dlopen("libnumora.so.1", RTLD_NOW);
  } else {
    handle_ = dlopen(path.c_str(), RTLD_NOW);
  }
  if (handle_ == nullptr) error = dlerror();
  return handle_ != nullptr;
}
void* LibraryLoader::Find(const char* name) const { return dlsym(handle_, name); }
#endif

}  // namespace host
