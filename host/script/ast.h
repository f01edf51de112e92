// The evaluable tree the parser builds. Variables are resolved while parsing:
// locals to (frame depth, slot), globals to their table cell.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "frame.h"

namespace host::script {

class Node {
 public:
  explicit Node(int source_line) : line(source_line) {}
  virtual ~Node() = default;
  virtual Value* eval(Frame* f) = 0;
  // The operand through which a chain that the reader builds in a loop grows
  // (a[1][1]..., a.b.c, x as T as T, 1 + 1 + ..., f()()), or null.
  virtual std::unique_ptr<Node>* chain_link() { return nullptr; }
  int line;
};
using NodePtr = std::unique_ptr<Node>;

// Frees a chain one link at a time, so a generated chain millions of links
// long cannot exhaust the stack as nested destructors would.
void release_chain(NodePtr& link);

// Something a value can be assigned to.
class Assignable : public Node {
 public:
  using Node::Node;
  virtual Value* assign(Frame* f, Value* v) = 0;
  // For compound assignment (a.b += 1): evaluates the target's parts once.
  virtual Value* update(Frame* f, Value* (*op)(Value*, Value*), Node* rhs);
};

class Constant : public Node {
 public:
  Constant(int l, Value* v) : Node(l), value(v) {}
  Value* eval(Frame*) override { return value; }
  Value* value;  // a static value: never collected
};

class StringLiteral : public Node {
 public:
  StringLiteral(int l, std::string t) : Node(l), text(std::move(t)) {}
  Value* eval(Frame*) override;
  std::string text;
};

class ArrayLiteral : public Node {
 public:
  using Node::Node;
  Value* eval(Frame* f) override;
  std::vector<NodePtr> items;
};

class BitArrayLiteral : public Node {
 public:
  using Node::Node;
  Value* eval(Frame* f) override;
  std::vector<std::pair<NodePtr, NodePtr>> ranges;  // second is null for a single index
};

class PointLiteral : public Node {
 public:
  using Node::Node;
  Value* eval(Frame* f) override;
  std::vector<NodePtr> components;  // 2, 3 or 4: a Point2, Point3 or Point4
};

class LocalVar : public Assignable {
 public:
  LocalVar(int l, int d, int s) : Assignable(l), depth(d), slot(s) {}
  Value* eval(Frame* f) override;
  Value* assign(Frame* f, Value* v) override;
  int depth, slot;
};

class GlobalVar : public Assignable {
 public:
  GlobalVar(int l, GlobalCell* c, bool e = false) : Assignable(l), cell(c), explicit_global(e) {}
  Value* eval(Frame*) override { return read_global(cell); }
  Value* assign(Frame*, Value* v) override { return assign_global(cell, v); }
  GlobalCell* cell;
  bool explicit_global;  // written ::x: never a local
};

// A by-reference parameter (fn f &x): reads and assignments go through the
// caller's reference when the argument was one (f &a), else to the slot.
class RefParamVar : public LocalVar {
 public:
  using LocalVar::LocalVar;
  Value* eval(Frame* f) override;
  Value* assign(Frame* f, Value* v) override;
};

// &target: a reference to a variable, property or array element.
class MakeReference : public Node {
 public:
  MakeReference(int l, std::unique_ptr<Assignable> t) : Node(l), target(std::move(t)) {}
  Value* eval(Frame* f) override;
  std::unique_ptr<Assignable> target;
};

// *ref: the variable, property or element a ValueRef refers to.
class Dereference : public Assignable {
 public:
  Dereference(int l, NodePtr o) : Assignable(l), operand(std::move(o)) {}
  Value* eval(Frame* f) override;
  Value* assign(Frame* f, Value* v) override;
  NodePtr operand;
};

// Host functions that return a second result through a reference argument
// (exitCode:&code) assign it here; false when ref is no reference.
bool assign_reference(Value* ref, Value* v);

// A path name literal ($box01, $torso/*, $): resolved by the scene's hook
// each time it is evaluated.
class PathLiteral : public Node {
 public:
  PathLiteral(int l, PathNameValue* p) : Node(l), path(p) {}
  Value* eval(Frame*) override;
  PathNameValue* path;  // a static value
};

// A change of the value at a place: apply gets the value there now (null
// unless needs_current) and gives the one to store.
class PlaceChange {
 public:
  explicit PlaceChange(bool reads) : needs_current(reads) {}
  virtual Value* apply(Value* current) = 0;
  const bool needs_current;
  // Set by apply when what it was given is left as it was (the change went
  // to a host object inside it), so nothing needs setting back.
  bool left_unchanged = false;

 protected:
  ~PlaceChange() = default;
};

// A property or element of another value (a.b, a[i]). Assigning to one
// whose owner is itself a property or element reads along the chain,
// changes the innermost value and sets each one back into its owner, so
// b.pos.x = 5 sets b.pos to the changed point. A sub-value that acts on its
// owner itself (a PropertyRef, a host object) is not set back, nor is any
// value further out, which that change left as it was: b.modifiers[2].enabled
// = false does not set b.modifiers.
class PathPlace : public Assignable {
 public:
  PathPlace(int l, NodePtr o) : Assignable(l), object(std::move(o)) {}
  ~PathPlace() override { release_chain(object); }
  NodePtr* chain_link() override { return &object; }
  Value* assign(Frame* f, Value* v) override;
  Value* update(Frame* f, Value* (*op)(Value*, Value*), Node* rhs) override;
  // Stores change.apply(the value here now) here; returns what it stored.
  virtual Value* modify(Frame* f, PlaceChange& change);
  NodePtr object;

 protected:
  // What names the place in its owner: an index, evaluated once a change.
  virtual Value* key(Frame*) { return nullptr; }
  virtual Value* read_from(Value* owner, Value* key) = 0;
  virtual void store_into(Value* owner, Value* key, Value* v) = 0;
};

class Property : public PathPlace {
 public:
  Property(int l, NodePtr o, Value* p) : PathPlace(l, std::move(o)), prop(p) {}
  Value* eval(Frame* f) override;
  Value* modify(Frame* f, PlaceChange& change) override;
  Value* prop;  // a name

 protected:
  Value* read_from(Value* owner, Value*) override { return owner->get_property(prop); }
  void store_into(Value* owner, Value*, Value* v) override { owner->set_property(prop, v); }
};

class Index : public PathPlace {
 public:
  Index(int l, NodePtr o, NodePtr i) : PathPlace(l, std::move(o)), index(std::move(i)) {}
  Value* eval(Frame* f) override;
  NodePtr index;

 protected:
  Value* key(Frame* f) override { return index->eval(f); }
  Value* read_from(Value* owner, Value* key) override { return owner->get_vf(&key, 1); }
  void store_into(Value* owner, Value* key, Value* v) override {
    Value* args[2] = {key, v};
    owner->put_vf(args, 2);
  }
};

class Assign : public Node {
 public:
  Assign(int l, std::unique_ptr<Assignable> t, NodePtr v, Value* (*o)(Value*, Value*))
      : Node(l), target(std::move(t)), value(std::move(v)), op(o) {}
  Value* eval(Frame* f) override;
  std::unique_ptr<Assignable> target;
  NodePtr value;
  Value* (*op)(Value*, Value*);  // null for plain =
};

class Binary : public Node {
 public:
  Binary(int l, Value* (*o)(Value*, Value*), NodePtr a, NodePtr b)
      : Node(l), op(o), left(std::move(a)), right(std::move(b)) {}
  ~Binary() override { release_chain(left); }
  NodePtr* chain_link() override { return &left; }
  Value* eval(Frame* f) override;
  Value* (*op)(Value*, Value*);
  NodePtr left, right;
};

class Negate : public Node {
 public:
  Negate(int l, NodePtr o) : Node(l), operand(std::move(o)) {}
  Value* eval(Frame* f) override;
  NodePtr operand;
};

class Logical : public Node {
 public:
  enum Kind { And, Or, Not };
  Logical(int l, Kind k, NodePtr a, NodePtr b) : Node(l), kind(k), left(std::move(a)), right(std::move(b)) {}
  ~Logical() override { release_chain(left); }
  NodePtr* chain_link() override { return &left; }
  Value* eval(Frame* f) override;
  Kind kind;
  NodePtr left, right;
};

class AsConversion : public Node {
 public:
  AsConversion(int l, NodePtr v, NodePtr c) : Node(l), value(std::move(v)), target(std::move(c)) {}
  ~AsConversion() override { release_chain(value); }
  NodePtr* chain_link() override { return &value; }
  Value* eval(Frame* f) override;
  NodePtr value, target;
};

// persistent global a = 1, b: marks the globals persistent (defining them as
// undefined when they are not defined yet), then runs the declaration.
class PersistentDeclaration : public Node {
 public:
  PersistentDeclaration(int l, std::vector<Value*> n, NodePtr d)
      : Node(l), names(std::move(n)), declaration(std::move(d)) {}
  Value* eval(Frame* f) override;
  std::vector<Value*> names;
  NodePtr declaration;
};

class Block : public Node {
 public:
  using Node::Node;
  Value* eval(Frame* f) override;
  std::vector<NodePtr> body;
};

// An empty pair of parentheses: undefined as a value, "no arguments" as the
// only argument of a call.
class Unit : public Node {
 public:
  using Node::Node;
  Value* eval(Frame*) override { return &undefined; }
};

class Call : public Node {
 public:
  using Node::Node;
  ~Call() override { release_chain(callee); }
  NodePtr* chain_link() override { return &callee; }
  Value* eval(Frame* f) override;
  NodePtr callee;
  // Positional arguments; then keyword pairs.
  std::vector<NodePtr> args;
  std::vector<std::pair<Value*, NodePtr>> keywords;
};

class If : public Node {
 public:
  using Node::Node;
  Value* eval(Frame* f) override;
  NodePtr condition, then_branch, else_branch;
};

class While : public Node {
 public:
  While(int l, bool d) : Node(l), do_first(d) {}
  Value* eval(Frame* f) override;
  bool do_first;
  NodePtr condition, body;
};

class ForLoop : public Node {
 public:
  using Node::Node;
  Value* eval(Frame* f) override;
  int slot = 0;               // the loop variable, in the current frame
  int index_slot = -1;        // for v, i = ...: the position in the sequence
  int filtered_slot = -1;     // for v, i, k = ...: the position among those where: let through
  bool variable_read = true;  // false: no code names it, so no value is made
  NodePtr from, to, by;       // numeric form
  NodePtr sequence;           // "in" form
  NodePtr where, while_cond;  // filters
  NodePtr body;
  bool collect = false;

 private:
  bool run_body(Frame* f, Value* v, Array* results, int& index, int& filtered);
};

class Exit : public Node {
 public:
  using Node::Node;
  Value* eval(Frame* f) override;
  NodePtr value;
};

class Continue : public Node {
 public:
  using Node::Node;
  Value* eval(Frame*) override;
};

class Return : public Node {
 public:
  using Node::Node;
  Value* eval(Frame* f) override;
  NodePtr value;
};

class Case : public Node {
 public:
  using Node::Node;
  Value* eval(Frame* f) override;
  NodePtr subject;  // null for "case of"
  std::vector<std::pair<NodePtr, NodePtr>> clauses;
  NodePtr default_clause;
};

class Try : public Node {
 public:
  using Node::Node;
  Value* eval(Frame* f) override;
  NodePtr body, handler;
};

class Throw : public Node {
 public:
  using Node::Node;
  Value* eval(Frame* f) override;
  NodePtr message, value;  // both null: throw the caught error again
};

// Context prefixes, alone or chained: at time t, [with] animate on,
// [in] coordsys local, [with] undo ["label"] off, with redraw off.
class ContextExpr : public Node {
 public:
  enum Kind { Time, Animate, CoordSys, Undo, Redraw };
  struct Prefix {
    Kind kind;
    NodePtr value;  // the time, the flag or the coordinate system
    NodePtr label;  // undo only; may be null
  };
  using Node::Node;
  Value* eval(Frame* f) override;
  std::vector<Prefix> prefixes;
  NodePtr body;

 private:
  Value* eval_from(Frame* f, std::size_t prefix);
};

// max <command words>: runs a command the host registered under those words;
// max time ? lists the commands whose names contain "time".
class MaxCommand : public Node {
 public:
  MaxCommand(int l, std::string w, bool q) : Node(l), words(std::move(w)), query(q) {}
  Value* eval(Frame*) override;
  std::string words;
  bool query;
};

// The compiled body of a script function.
struct FunctionCode {
  std::string name;
  bool mapped = false;  // called once for each item of an array first argument
  int positional = 0;
  std::vector<std::pair<Value*, NodePtr>> keyword_params;  // name, default (may be null)
  std::vector<int> keyword_slots;
  int slot_count = 0;
  NodePtr body;
};

class FunctionDef : public Node {
 public:
  FunctionDef(int l, std::shared_ptr<FunctionCode> c, std::unique_ptr<Assignable> t)
      : Node(l), code(std::move(c)), target(std::move(t)) {}
  Value* eval(Frame* f) override;
  std::shared_ptr<FunctionCode> code;
  std::unique_ptr<Assignable> target;
};

// A script struct definition: its members are slots of each instance's
// frame; defaults and methods are made in that frame, so methods see the
// members by name.
struct StructCode {
  std::string name;
  std::vector<Value*> members;         // every member name, in order
  std::vector<std::string> spellings;  // as the definition writes them
  std::vector<bool> is_method;
  std::vector<bool> is_private;
  std::vector<int> slots;  // each member's slot in an instance's frame
  int slot_count = 0;      // members, this, and the locals of initialisers
  int this_slot = 0;
  std::vector<NodePtr> initialisers;  // run in a new instance's frame
  NodePtr on_create;                  // may be null
};

class StructDef : public Node {
 public:
  StructDef(int l, std::shared_ptr<StructCode> c, std::unique_ptr<Assignable> t)
      : Node(l), code(std::move(c)), target(std::move(t)) {}
  Value* eval(Frame* f) override;
  std::shared_ptr<StructCode> code;
  std::unique_ptr<Assignable> target;
};

// The global the listener keeps its last result in: ? in a script.
inline constexpr const char* kLastResultName = "?";

// A top-level expression with the slot count of its frame.
struct TopLevel {
  NodePtr expr;
  int slot_count = 0;
  int line = 0;
};

struct Program {
  std::vector<TopLevel> expressions;
};

// A script-defined function value.
class ScriptFunction : public Function {
 public:
  ScriptFunction(std::shared_ptr<FunctionCode> c, Frame* closure_frame);
  Value* apply(Value** arg_list, int count) override;
  void gc_trace() override;
  std::shared_ptr<FunctionCode> code;
  Frame* closure;

 private:
  Value* apply_once(Value** arg_list, int count, int positional);
};

// Calls any function value the way the interpreter does, turning a C++
// exception thrown by host or module code into a script runtime error.
Value* apply_function(Value* fn, Value** args, int count);

// The operators, shared by the parser's tables.
Value* op_plus(Value* a, Value* b);
Value* op_minus(Value* a, Value* b);
Value* op_times(Value* a, Value* b);
Value* op_div(Value* a, Value* b);
Value* op_pow(Value* a, Value* b);
Value* op_eq(Value* a, Value* b);
Value* op_ne(Value* a, Value* b);
Value* op_lt(Value* a, Value* b);
Value* op_gt(Value* a, Value* b);
Value* op_le(Value* a, Value* b);
Value* op_ge(Value* a, Value* b);

// `value as class`.
Value* convert_as(Value* v, Value* target);

}  // namespace host::script
