// Loads the library at run time and looks its entry points up by name.
#pragma once

#include <string>

namespace host {

class LibraryLoader {
 public:
  // Empty path: the library beside this program, then the system's search.
  bool Open(const std::string& path, std::string& error);
  void* Find(const char* name) const;

 private:
  void* handle_ = nullptr;
};

}  // namespace host
