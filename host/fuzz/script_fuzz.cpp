// Fuzz target for the script reader and evaluator: each input runs as one
// script in the host's runtime, as the listener runs a file with
// --keep-going. A run is bounded in steps (loop iterations and calls), so no
// input can hang; its output is thrown away. Between inputs the globals a
// script assigned are let go and collected, so each input starts afresh.
#include <pthread.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/core_interface.h"
#include "host/hold.h"
#include "runtime/runtime_internal.h"
#include "script/frame.h"
#include "script/interpreter.h"

namespace {

// As the listener: a large stack, with room kept for the error path.
constexpr std::size_t kStackSize = std::size_t{64} << 20;
constexpr std::size_t kStackReserve = std::size_t{4} << 20;
// Small enough that a run of a minute tries thousands of inputs.
constexpr long kStepsPerInput = 20000;

// Functions that reach outside the process (run programs, change or create
// files and folders) have no place in a fuzz run.
constexpr const char* kWithheld[] = {"DOSCommand", "HiddenDOSCommand", "ShellLaunch", "deleteFile",
                                     "renameFile", "copyFile",         "makeDir",     "createFile",
                                     "openFile",   "setDir",           "fileIn",      "importFile",
                                     "exportFile", "saveMaxFile",      "loadMaxFile", "resetMaxFile"};

// Each input starts from an empty scene: the nodes an input made go, with the
// undo entries that name them.
void clear_scene() {
  theHold.Clear();
  Interface* core = GetCOREInterface();
  INode* root = core->GetRootNode();
  while (root->NumberOfChildren() > 0) core->DeleteNode(root->GetChildNode(root->NumberOfChildren() - 1));
  while (root->GetXRefFileCount() > 0) root->DeleteXRefFile(0);
}

class Discard : public CharStream {
 public:
  void puts(const char*) override {}
};

struct Input {
  const std::uint8_t* data;
  std::size_t size;
};

void* run_input(void* p) {
  const auto* input = static_cast<const Input*>(p);
  const char* top = static_cast<const char*>(__builtin_frame_address(0));
  host::script::set_stack_limit(top - (kStackSize - kStackReserve));
  Discard sink;
  set_thread_local_output(&sink);
  host::script::RunOptions options;
  options.keep_going = true;
  {
    host::script::StepBudget budget(kStepsPerInput);
    host::script::run_source(std::string(reinterpret_cast<const char*>(input->data), input->size), "fuzz",
                             options);
  }
  set_thread_local_output(nullptr);
  clear_scene();
  host::release_global_values();
  gc_collect();
  return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  for (const char* name : kWithheld) host::define_global_value(name, &undefined);
  // Whatever a script reads or makes by accident stays in a folder of its own.
  std::filesystem::path work = std::filesystem::temp_directory_path() / "fuzz_script_work";
  std::filesystem::create_directories(work);
  std::filesystem::current_path(work);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input{data, size};
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, kStackSize);
  pthread_t thread;
  if (pthread_create(&thread, &attr, run_input, &input) != 0) std::abort();
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attr);
  return 0;
}
