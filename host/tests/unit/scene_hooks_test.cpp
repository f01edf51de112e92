// What host code sees of the script: the context settings while an
// expression runs, max commands by their words, path names through the
// resolver, and the undo hold under undo on / undo off.
#include <gtest/gtest.h>

#include <string>

#include "runtime/runtime_internal.h"
#include "script/interpreter.h"

namespace {

struct ScriptOutput {
  ScriptOutput() : previous(set_thread_local_output(&out)) {}
  ~ScriptOutput() { set_thread_local_output(previous); }
  StringCharStream out;
  CharStream* previous;
};

std::string run(const std::string& script) {
  ScriptOutput output;
  host::script::RunOptions options;
  options.keep_going = true;
  host::script::run_source(script, "test", options);
  return output.out.text();
}

struct Seen {
  bool animate_set = false, animate = false;
  std::string coordsys;
  TimeValue time = -1;
  int calls = 0;
};
Seen g_seen;

void probe() {
  g_seen.calls++;
  g_seen.animate_set = MAXScript_animate_context_set();
  g_seen.animate = MAXScript_animate();
  g_seen.coordsys = MAXScript_coordsys() ? print_form(MAXScript_coordsys()) : "";
  g_seen.time = MAXScript_time_context_set() ? MAXScript_time() : -1;
}

TEST(ScriptContext, HostCodeReadsTheSettingsAndTheyEndWithTheirExpression) {
  register_max_command("probe", probe);
  g_seen = {};
  EXPECT_EQ(run("animate on, in coordsys local at time 10 (max probe)"), "");
  EXPECT_TRUE(g_seen.animate_set);
  EXPECT_TRUE(g_seen.animate);
  EXPECT_EQ(g_seen.coordsys, "#local");
  EXPECT_EQ(g_seen.time, 1600);
  run("with animate off (coordsys world (max probe))");
  EXPECT_TRUE(g_seen.animate_set);
  EXPECT_FALSE(g_seen.animate);
  EXPECT_EQ(g_seen.coordsys, "#world");
  // An error, a return and an exit all leave the contexts as they were.
  run("try (animate on coordsys parent (throw \"x\")) catch ()\n"
      "fn f = (animate on at time 3 (return 1)); f()\n"
      "for i = 1 to 2 do (coordsys grid (exit))\n"
      "max probe");
  EXPECT_FALSE(g_seen.animate_set);
  EXPECT_FALSE(g_seen.animate);
  EXPECT_EQ(g_seen.coordsys, "");
  EXPECT_EQ(g_seen.time, -1);
  EXPECT_FALSE(MAXScript_animate_context_set());
  EXPECT_EQ(MAXScript_coordsys(), nullptr);
  unregister_max_command("probe");
}

TEST(MaxCommands, RunByTheirWordsListByPartAndReportTheUnknown) {
  register_max_command("Select  All", probe);
  g_seen = {};
  EXPECT_EQ(run("print (max select ALL)"), "OK\n");
  EXPECT_EQ(g_seen.calls, 1);
  EXPECT_EQ(run("max sel ?"), "max select all\n");
  unregister_max_command("select all");
  EXPECT_EQ(run("max select all"), "-- Runtime error: Unknown max command: select all\n");
  EXPECT_EQ(g_seen.calls, 1);
}

Value* resolve_to_itself(PathNameValue* path) { return path; }

TEST(PathNames, ReachTheResolverWithTheirLevelsAndPrintAsWritten) {
  EXPECT_EQ(run("print $box01"), "undefined\n");
  set_path_resolver(resolve_to_itself);
  EXPECT_EQ(run("print $'name with blanks'/child\nprint $Box*\nprint $\nprint (classOf $torso...*)"),
            "$'name with blanks'/child\n$Box*\n$\nPathName\n");
  PathNameValue quoted("'name with blanks'/child");
  ASSERT_EQ(quoted.levels().size(), 2u);
  EXPECT_EQ(quoted.levels()[0], "name with blanks");
  EXPECT_FALSE(quoted.has_wildcard());
  PathNameValue deep("torso...*");
  ASSERT_EQ(deep.levels().size(), 3u);
  EXPECT_EQ(deep.levels()[1], "...");
  EXPECT_TRUE(deep.has_wildcard());
  EXPECT_TRUE(PathNameValue("").is_selection());
  EXPECT_TRUE(PathNameValue("/top").is_rooted());
  set_path_resolver(nullptr);
  EXPECT_EQ(run("print $Box*"), "undefined\n");
}

int g_restores = 0;
struct CountedRestore : RestoreObj {
  void Restore(int) override { ++g_restores; }
  void Redo() override {}
};
void change() {
  if (theHold.Holding()) theHold.Put(new CountedRestore);
}

TEST(UndoContext, UndoOffInsideUndoOnRecordsNothing) {
  register_max_command("change", change);
  int before = theHold.UndoCount();
  run("undo \"two changes\" on (max change; undo off (max change; max change); max change)");
  EXPECT_EQ(theHold.UndoCount(), before + 1);
  EXPECT_FALSE(theHold.IsSuspended());
  g_restores = 0;
  EXPECT_TRUE(theHold.Undo());
  EXPECT_EQ(g_restores, 2);
  run("with undo off (max change)");
  EXPECT_EQ(theHold.UndoCount(), before);
  unregister_max_command("change");
}

}  // namespace
