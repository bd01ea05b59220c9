// The library's entry, exit hook and version query, driven directly: this
// test plays the loader (the notices and GetProcAddress) and the recording
// host plays the host.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "hostsim/recording_host.h"
#include "module/module_api.h"
#include "module/runtime_entry.h"

namespace {

// What the fake loader finds under each name.
FARPROC exitModuleExport = nullptr;
FARPROC opcDLLExitExport = nullptr;

std::vector<HINSTANCE> hookCalls;
void SpyExitHook(HINSTANCE hModule) { hookCalls.push_back(hModule); }

HINSTANCE Handle(uintptr_t n) { return reinterpret_cast<HINSTANCE>(n); }

FARPROC AsExport(void (*f)(HINSTANCE)) { return reinterpret_cast<FARPROC>(f); }

std::vector<std::string> CallLog() {
  unsigned n = 0;
  const HostCall *calls = HostCalls(&n);
  std::vector<std::string> log;
  for (unsigned i = 0; i < n; ++i) {
    std::string entry = HostCallName(calls[i].kind);
    if (calls[i].kind == CALL_GET_PROC_ADDRESS) entry += std::string(" ") + calls[i].text;
    log.push_back(entry);
  }
  return log;
}

class ModuleFrame : public testing::Test {
 protected:
  void SetUp() override {
    HostBeginStep();
    hookCalls.clear();
    exitModuleExport = nullptr;
    opcDLLExitExport = AsExport(opcDLLExit);
  }
};

TEST_F(ModuleFrame, AttachHandsTheHandleToTheHostThenFindsTheExitHook) {
  EXPECT_EQ(TRUE, DllMain(Handle(0x1000), DLL_PROCESS_ATTACH, nullptr));
  const std::vector<std::string> expected = {"InitLib", "GetProcAddress ExitModule",
                                             "GetProcAddress opcDLLExit"};
  EXPECT_EQ(expected, CallLog());
  unsigned n = 0;
  const HostCall *calls = HostCalls(&n);
  EXPECT_EQ(Handle(0x1000), calls[0].handle);
  EXPECT_EQ(Handle(0x1000), calls[1].handle);  // looked up in its own exports

  // The hook found is the module's own opcDLLExit: detach calls no host.
  HostClearCalls();
  EXPECT_EQ(TRUE, DllMain(Handle(0x1000), DLL_PROCESS_DETACH, nullptr));
  EXPECT_TRUE(CallLog().empty());
}

TEST_F(ModuleFrame, ExitHookIsCalledOnceWithTheDetachHandle) {
  opcDLLExitExport = AsExport(SpyExitHook);  // stands in for opcDLLExit
  DllMain(Handle(0x1000), DLL_PROCESS_ATTACH, nullptr);
  EXPECT_TRUE(hookCalls.empty());
  DllMain(Handle(0x2000), DLL_PROCESS_DETACH, nullptr);
  EXPECT_EQ(std::vector<HINSTANCE>{Handle(0x2000)}, hookCalls);
}

TEST_F(ModuleFrame, ExitModuleWinsWhenItExists) {
  exitModuleExport = AsExport(SpyExitHook);
  DllMain(Handle(0x1000), DLL_PROCESS_ATTACH, nullptr);
  const std::vector<std::string> expected = {"InitLib", "GetProcAddress ExitModule"};
  EXPECT_EQ(expected, CallLog());  // opcDLLExit is not looked up
  DllMain(Handle(0x1000), DLL_PROCESS_DETACH, nullptr);
  EXPECT_EQ(1u, hookCalls.size());
}

TEST_F(ModuleFrame, NoHookFoundMeansNothingAtDetach) {
  opcDLLExitExport = nullptr;
  DllMain(Handle(0x1000), DLL_PROCESS_ATTACH, nullptr);
  HostClearCalls();
  EXPECT_EQ(TRUE, DllMain(Handle(0x1000), DLL_PROCESS_DETACH, nullptr));
  EXPECT_TRUE(CallLog().empty());
  EXPECT_TRUE(hookCalls.empty());
}

TEST_F(ModuleFrame, ThreadNoticesDoNothing) {
  for (DWORD reason : {DLL_THREAD_ATTACH, DLL_THREAD_DETACH, DWORD{7}}) {
    EXPECT_EQ(TRUE, DllMain(Handle(0x1000), reason, nullptr));
    EXPECT_EQ(TRUE, RuntimeEntry(Handle(0x1000), reason, nullptr, ProcessorHasSse2));
  }
  EXPECT_TRUE(CallLog().empty());
}

BOOL FailingSetUp() { return FALSE; }

TEST_F(ModuleFrame, FailedRuntimeSetUpFailsTheLoadWithNoHostCall) {
  opcDLLExitExport = AsExport(SpyExitHook);
  EXPECT_EQ(FALSE, RuntimeEntry(Handle(0x1000), DLL_PROCESS_ATTACH, nullptr, FailingSetUp));
  EXPECT_EQ(TRUE, RuntimeEntry(Handle(0x1000), DLL_THREAD_ATTACH, nullptr, FailingSetUp));
  EXPECT_EQ(TRUE, RuntimeEntry(Handle(0x1000), DLL_PROCESS_DETACH, nullptr, FailingSetUp));
  EXPECT_TRUE(CallLog().empty());  // no InitLib, no look-up
  EXPECT_TRUE(hookCalls.empty());  // and no exit hook
}

TEST_F(ModuleFrame, RuntimeEntryRunsDllMainInsideSetUpAndTearDown) {
  opcDLLExitExport = AsExport(SpyExitHook);
  EXPECT_EQ(TRUE, RuntimeEntry(Handle(0x1000), DLL_PROCESS_ATTACH, nullptr, ProcessorHasSse2));
  EXPECT_EQ(3u, CallLog().size());
  EXPECT_EQ(TRUE, RuntimeEntry(Handle(0x1000), DLL_PROCESS_DETACH, nullptr, ProcessorHasSse2));
  EXPECT_EQ(1u, hookCalls.size());
  // Torn down: a second detach reaches nothing.
  EXPECT_EQ(TRUE, RuntimeEntry(Handle(0x1000), DLL_PROCESS_DETACH, nullptr, ProcessorHasSse2));
  EXPECT_EQ(1u, hookCalls.size());
}

TEST(ModuleVersion, AskedOnceUnlessTheAnswerIsZero) {
  HostBeginStep();
  HostSetDate2IntAnswer(0);  // not yet computed: every call asks again
  for (int i = 0; i < 3; ++i) EXPECT_EQ(0, GetModuleVersion());
  unsigned n = 0;
  const HostCall *calls = HostCalls(&n);
  ASSERT_EQ(3u, n);
  for (unsigned i = 0; i < n; ++i) {
    EXPECT_EQ(CALL_DATE2INT, calls[i].kind);
    EXPECT_STREQ("Feb  6 2005", calls[i].text);  // two blanks before the 6
  }

  HostBeginStep();
  HostComputeDate2Int();
  EXPECT_EQ(20050206, GetModuleVersion());
  HostSetDate2IntAnswer(42);  // kept: the host is not asked again
  EXPECT_EQ(20050206, GetModuleVersion());
  HostCalls(&n);
  EXPECT_EQ(1u, n);
}

}  // namespace

// The loader's look-up, played by this test.
extern "C" FARPROC GetProcAddress(HINSTANCE hModule, const char *name) {
  HostRecordLookup(hModule, name);
  if (std::strcmp(name, "ExitModule") == 0) return exitModuleExport;
  if (std::strcmp(name, "opcDLLExit") == 0) return opcDLLExitExport;
  return nullptr;
}
