// Function calls: script functions, host and module functions, class objects.
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "ast.h"

namespace host::script {

namespace {

std::string callee_name(Value* fn) {
  if (auto* f = dynamic_cast<Function*>(fn)) return f->name;
  if (auto* c = dynamic_cast<ValueMetaClass*>(fn)) return c->name;
  return print_form(fn);
}

}  // namespace

Value* apply_function(Value* fn, Value** args, int count) {
  if (fn->tag == &ScriptFunction_class) return fn->apply(args, count);
  try {
    return fn->apply(args, count);
  } catch (...) {
    rethrow_as_script_error(callee_name(fn).c_str());
  }
}

Value* Call::eval(Frame* f) {
  check_stack();
  OneValueLocal fn(callee->eval(f));
  const int positional = static_cast<int>(args.size());
  const int count = positional + (keywords.empty() ? 0 : 1 + 2 * static_cast<int>(keywords.size()));
  constexpr int kInline = 8;
  Value* inline_args[kInline] = {};
  std::vector<Value*> heap_args;
  Value** argv = inline_args;
  if (count > kInline) {
    heap_args.assign(static_cast<std::size_t>(count), nullptr);
    argv = heap_args.data();
  }
  ValueLocalFrame protect(argv, count);
  int n = 0;
  for (auto& a : args) argv[n++] = a->eval(f);
  if (!keywords.empty()) {
    argv[n++] = &keyarg_marker;
    for (auto& [key, value] : keywords) {
      argv[n++] = key;
      argv[n++] = value->eval(f);
    }
  }
  return apply_function(fn.value, argv, count);
}

ScriptFunction::ScriptFunction(std::shared_ptr<FunctionCode> c, Frame* closure_frame)
    : Function(save_string(c->name.c_str()), nullptr), code(std::move(c)), closure(closure_frame) {
  tag = &ScriptFunction_class;
}

void ScriptFunction::gc_trace() { gc_mark(closure); }

Value* ScriptFunction::apply(Value** arg_list, int count) {
  check_stack();
  gc_safe_point();
  take_step();
  OutsideLoops own_body;
  int positional = positional_count(arg_list, count);
  // A mapped function given an array runs once for each of its items.
  if (code->mapped && positional >= 1 && arg_list[0]->tag == &Array_class) {
    OneValueLocal items(arg_list[0]);
    std::vector<Value*> args(arg_list, arg_list + count);
    ValueLocalFrame protect(args.data(), count);
    auto* array = static_cast<Array*>(items.value);
    for (int i = 0; i < array->size; ++i) {
      args[0] = array->data[i];
      apply_once(args.data(), count, positional);
    }
    return &ok;
  }
  return apply_once(arg_list, count, positional);
}

Value* ScriptFunction::apply_once(Value** arg_list, int count, int positional) {
  if (positional != code->positional) throw ArgCountError(name, code->positional, positional);
  OneValueLocal frame_value(new Frame(code->slot_count, closure));
  auto* frame = static_cast<Frame*>(frame_value.value);
  ClosureScope scope(frame);
  for (int i = 0; i < positional; ++i) frame->slots[i] = arg_list[i];
  for (std::size_t k = 0; k < code->keyword_params.size(); ++k) {
    auto& [key, default_value] = code->keyword_params[k];
    Value* given = _get_key_arg_or_default(arg_list, count, key, nullptr);
    frame->slots[code->keyword_slots[k]] =
        given ? given : (default_value ? default_value->eval(frame) : &unsupplied);
  }
  try {
    return code->body->eval(frame);
  } catch (const FunctionReturn& r) {
    return r.value;
  }
}

Value* FunctionDef::eval(Frame* f) {
  Value* fn = new ScriptFunction(code, f);
  return target->assign(f, fn);
}

}  // namespace host::script
