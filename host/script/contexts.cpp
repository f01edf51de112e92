// Context prefixes (at time, animate, coordsys, undo, redraw), max commands
// and path names: the forms whose meaning the scene supplies.
#include <exception>

#include "ast.h"
#include "host/core_interface.h"
#include "host/max_commands.h"
#include "host/messages.h"
#include "host/scene_paths.h"
#include "host/script_context.h"

namespace host::script {

namespace {

// undo off: changes made inside are not recorded, even inside undo on.
struct HoldSuspension {
  HoldSuspension() { theHold.Suspend(); }
  ~HoldSuspension() { theHold.Resume(); }
  HoldSuspension(const HoldSuspension&) = delete;
  HoldSuspension& operator=(const HoldSuspension&) = delete;
};

}  // namespace

Value* ContextExpr::eval(Frame* f) { return eval_from(f, 0); }

// Each prefix sets its context for the prefixes after it and the body, and
// restores it however they end.
Value* ContextExpr::eval_from(Frame* f, std::size_t index) {
  if (index == prefixes.size()) return body->eval(f);
  Prefix& prefix = prefixes[index];
  switch (prefix.kind) {
    case Time: {
      ScopedTimeContext context(prefix.value->eval(f)->to_timevalue());
      return eval_from(f, index + 1);
    }
    case Animate: {
      ScopedAnimateContext context(prefix.value->eval(f)->to_bool());
      return eval_from(f, index + 1);
    }
    case CoordSys: {
      OneValueLocal system(prefix.value->eval(f));
      ScopedCoordSysContext context(system.value);
      return eval_from(f, index + 1);
    }
    case Redraw: {
      // with redraw off: scene redraws stay disabled however the body ends.
      bool on = prefix.value->eval(f)->to_bool();
      if (!on) GetCOREInterface()->DisableSceneRedraw();
      struct Reenable {
        bool active;
        ~Reenable() {
          if (active) GetCOREInterface()->EnableSceneRedraw();
        }
      } reenable{!on};
      return eval_from(f, index + 1);
    }
    case Undo:
      break;
  }
  // undo on (...): changes recorded while the rest runs become one undo
  // record; when it fails, what it changed is restored.
  bool on = prefix.value->eval(f)->to_bool();
  std::string label = "MAXScript";
  if (prefix.label) label = prefix.label->eval(f)->to_string();
  if (!on) {
    HoldSuspension off;
    return eval_from(f, index + 1);
  }
  theHold.Begin();
  Value* result;
  try {
    result = eval_from(f, index + 1);
  } catch (const MAXScriptException&) {
    theHold.Cancel();
    throw;
  } catch (...) {  // return, exit and continue leave normally
    theHold.Accept(label.c_str());
    throw;
  }
  theHold.Accept(label.c_str());
  return result;
}

Value* MaxCommand::eval(Frame*) {
  if (query) {
    for (const std::string& name : max_command_names())
      if (name.find(words) != std::string::npos) thread_local_output()->puts(("max " + name + "\n").c_str());
    return &ok;
  }
  bool found;
  try {
    found = run_max_command(words.c_str());
  } catch (const MAXScriptException&) {
    throw;
  } catch (const std::exception& e) {
    throw RuntimeError(("C++ exception in max " + words + ": ").c_str(), e.what());
  }
  if (!found) throw RuntimeError(msg::kUnknownMaxCommand, words.c_str());
  return &ok;
}

Value* PathLiteral::eval(Frame*) {
  PathResolver resolve = path_resolver();
  Value* v = resolve ? resolve(path) : nullptr;
  return v ? v : &undefined;
}

}  // namespace host::script
