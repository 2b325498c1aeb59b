// Memory exhausted while the library starts: the run-time error box says so ("Runtime error
// 203 at ...") and the load fails; on Linux a shared object cannot refuse to load, so the
// process ends there. Every allocation of the program fails once the library is being loaded.
//   numora_load_oom_test PATH-OF-THE-LIBRARY
#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace {
volatile bool allocations_fail = false;
}

void* operator new(std::size_t size) {
  if (allocations_fail) throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: numora_load_oom_test LIBRARY\n");
    return 2;
  }
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return 2;
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipe_ends[1], STDERR_FILENO);
    close(pipe_ends[0]);
    allocations_fail = true;
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    allocations_fail = false;
    std::printf("the load %s\n", library != nullptr ? "succeeded" : "failed without the box");
    std::_Exit(0);
  }
  close(pipe_ends[1]);
  std::string shown;
  char buffer[256];
  for (ssize_t n; (n = read(pipe_ends[0], buffer, sizeof buffer)) > 0;) shown.append(buffer, n);
  int status = 0;
  waitpid(child, &status, 0);
  const bool aborted = WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT;
  const bool box = shown.find("Error: Runtime error 203 at ") != std::string::npos;
  if (!aborted || !box) {
    std::fprintf(stderr,
                 "expected the load to end with the box for error 203; it %s and showed: %s\n",
                 aborted ? "aborted" : "did not abort", shown.c_str());
    return 1;
  }
  std::printf("the load failed with: %s", shown.c_str());
  return 0;
}
