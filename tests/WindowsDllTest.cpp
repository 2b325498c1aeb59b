// Windows: Numora.dll loaded by name, its exports by name and by ordinal, errors and faults
// through the DLL, Draw on a real device context, and the version record.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "GuardedCall.h"
#include "numora/numora.h"

namespace {

struct Export {
  const char* name;
  int ordinal;
};
#define WINDOWS_TEST_EXPORT(name, ordinal) {#name, ordinal},
const Export kExports[] = {NUMORA_OPERATION_EXPORTS(WINDOWS_TEST_EXPORT)
                               NUMORA_BOUNDARY_EXPORTS(WINDOWS_TEST_EXPORT)};
#undef WINDOWS_TEST_EXPORT

class NumoraDll : public ::testing::Test {
 protected:
  // Loaded under a thread locale whose separator is "," while the user's default is "." (as
  // Wine's is under a C locale): the library reads the user's separator on every call, whatever
  // the thread's locale at load.
  static void SetUpTestSuite() {
    const LCID previous = GetThreadLocale();
    SetThreadLocale(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT));
    load_separator = Separator(GetThreadLocale());
    module = LoadLibraryA("Numora.dll");
    SetThreadLocale(previous);
  }
  static std::string Separator(LCID locale) {
    char separator[8] = {};
    GetLocaleInfoA(locale, LOCALE_SDECIMAL, separator, sizeof separator);
    return separator;
  }
  template <class F>
  static F Find(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
  static HMODULE module;
  static std::string load_separator;
};
HMODULE NumoraDll::module = nullptr;
std::string NumoraDll::load_separator;

TEST_F(NumoraDll, EveryExportByNameAndByOrdinal) {
  ASSERT_NE(module, nullptr);
  for (const Export& e : kExports) {
    FARPROC by_name = GetProcAddress(module, e.name);
    FARPROC by_ordinal = GetProcAddress(module, MAKEINTRESOURCEA(e.ordinal));
    EXPECT_NE(by_name, nullptr) << e.name;
    EXPECT_EQ(by_name, by_ordinal) << e.name << " @" << e.ordinal;
  }
  EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(80)), nullptr);
}

TEST_F(NumoraDll, OperationsErrorsAndFaultsThroughTheDll) {
  auto set_file = Find<void(NUMORA_CALL*)(const char*)>("SetFile");
  auto get_file = Find<const char*(NUMORA_CALL*)(void)>("GetFile");
  auto sqrt = Find<host::Operation>("Get_Sqrt");
  set_file("2");
  EXPECT_EQ(host::CallGuarded(sqrt, 0x037F).kind, host::Outcome::Kind::kNormal);
  EXPECT_STREQ(get_file(), "1.4142135623731");
  set_file("abc");
  const host::Outcome error = host::CallGuarded(sqrt, 0x037F);
  EXPECT_EQ(error.seh_code, NUMORA_ERROR_EXCEPTION_CODE);
  EXPECT_EQ(error.error_kind, "EConvertError");
  EXPECT_EQ(error.message, "'abc' is not a valid floating point value");
  EXPECT_STREQ(get_file(), "abc");
  set_file("-1");
  const host::Outcome fault = host::CallGuarded(sqrt, 0x037E);
  EXPECT_EQ(fault.seh_code, 0xC0000090u);
  EXPECT_STREQ(get_file(), "-1");
  // The next call, masked again, gives the default result.
  EXPECT_EQ(host::CallGuarded(sqrt, 0x037F).kind, host::Outcome::Kind::kNormal);
  EXPECT_STREQ(get_file(), "NAN");
}

TEST_F(NumoraDll, TheSeparatorOfEachCallNotTheThreadLocaleAtLoad) {
  const std::string call_separator = Separator(GetUserDefaultLCID());
  if (load_separator == call_separator) GTEST_SKIP() << "the thread locale could not be set";
  auto set_file = Find<void(NUMORA_CALL*)(const char*)>("SetFile");
  auto get_file = Find<const char*(NUMORA_CALL*)(void)>("GetFile");
  set_file("2.5");
  EXPECT_EQ(host::CallGuarded(Find<host::Operation>("Get_Sqrt"), 0x037F).kind,
            host::Outcome::Kind::kNormal);
  EXPECT_STREQ(get_file(), "1.58113883008419");
  set_file("1.5,2");
  EXPECT_EQ(host::CallGuarded(Find<host::Operation>("Get_Power"), 0x037F).kind,
            host::Outcome::Kind::kNormal);
  EXPECT_STREQ(get_file(), "2.25");
}

TEST_F(NumoraDll, DrawOnAMemoryDeviceContext) {
  auto draw = Find<int32_t(NUMORA_CALL*)(void*)>("Draw");
  HDC context = CreateCompatibleDC(nullptr);
  ASSERT_NE(context, nullptr);
  SetBkMode(context, TRANSPARENT);
  EXPECT_EQ(draw(context), TRANSPARENT);
  EXPECT_EQ(draw(context), OPAQUE);
  EXPECT_EQ(GetBkMode(context), OPAQUE);
  DeleteDC(context);
  EXPECT_EQ(draw(nullptr), 0);
}

std::string VersionString(const std::string& block, const char* name) {
  void* value = nullptr;
  UINT size = 0;
  const std::string path = "\\StringFileInfo\\040904E4\\" + std::string(name);
  if (!VerQueryValueA(block.data(), path.c_str(), &value, &size) || size == 0) return "";
  return static_cast<const char*>(value);
}

TEST_F(NumoraDll, VersionRecord) {
  char path[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(module, path, MAX_PATH), 0u);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixed_size = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixed_size));
  // The library's one version number, as numora.h states it.
  const DWORD high = (NUMORA_VERSION_MAJOR << 16) | NUMORA_VERSION_MINOR;
  const DWORD low = NUMORA_VERSION_PATCH << 16;
  EXPECT_EQ(fixed->dwFileVersionMS, high);
  EXPECT_EQ(fixed->dwFileVersionLS, low);
  EXPECT_EQ(fixed->dwProductVersionMS, high);
  EXPECT_EQ(fixed->dwProductVersionLS, low);
  EXPECT_EQ(VersionString(block, "FileVersion"), std::to_string(NUMORA_VERSION_MAJOR) + "." +
                                                     std::to_string(NUMORA_VERSION_MINOR) + "." +
                                                     std::to_string(NUMORA_VERSION_PATCH) + ".0");
  EXPECT_EQ(VersionString(block, "ProductVersion"), "1.0.0.0");
  EXPECT_EQ(VersionString(block, "InternalName"), "DravikNumora++");
  EXPECT_EQ(VersionString(block, "ProductName"), "DravikNumora++");
}

}  // namespace
