// Evaluation of conditionals, loops, case and try.
#include <cmath>

#include "ast.h"
#include "host/messages.h"

namespace host::script {

namespace {
Value* dont_collect() {
  static Value* marker = Name::intern("dontCollect");
  return marker;
}

// Pops the caught error's text when the handler ends, however it ends.
struct CaughtError {
  explicit CaughtError(const std::string& text) { push_current_exception(text); }
  ~CaughtError() { pop_current_exception(); }
};

// Thrown again by a bare throw() inside a catch.
class Rethrown : public MAXScriptException {
 public:
  explicit Rethrown(const std::string& text) : MAXScriptException(text) {}
};
}  // namespace

Value* If::eval(Frame* f) {
  if (condition->eval(f)->to_bool()) return then_branch->eval(f);
  return else_branch ? else_branch->eval(f) : &undefined;
}

Value* While::eval(Frame* f) {
  InLoop loop;
  OneValueLocal last(&undefined);
  try {
    if (do_first) {
      do {
        gc_safe_point();
        take_step();
        try {
          last.value = body->eval(f);
        } catch (const LoopContinue&) {
        }
      } while (condition->eval(f)->to_bool());
    } else {
      while (condition->eval(f)->to_bool()) {
        gc_safe_point();
        take_step();
        try {
          last.value = body->eval(f);
        } catch (const LoopContinue&) {
        }
      }
    }
  } catch (const LoopExit& e) {
    return e.value;
  }
  return last.value;
}

// Runs one iteration; false when a while: filter ends the loop. index counts
// the values of the sequence, filtered those the where: filter lets through.
bool ForLoop::run_body(Frame* f, Value* v, Array* results, int& index, int& filtered) {
  f->slots[slot] = v;
  ++index;
  if (index_slot >= 0) f->slots[index_slot] = Integer::intern(index);
  gc_safe_point();
  take_step();
  if (while_cond && !while_cond->eval(f)->to_bool()) return false;
  if (where && !where->eval(f)->to_bool()) return true;
  ++filtered;
  if (filtered_slot >= 0) f->slots[filtered_slot] = Integer::intern(filtered);
  try {
    Value* r = body->eval(f);
    if (results != nullptr && r != dont_collect()) results->append(r);
  } catch (const LoopContinue&) {
  }
  return true;
}

Value* ForLoop::eval(Frame* f) {
  InLoop loop;
  OneValueLocal results(collect ? new Array(0) : nullptr);
  auto* out = static_cast<Array*>(results.value);
  int index = 0, filtered = 0;
  try {
    if (sequence) {
      OneValueLocal seq(sequence->eval(f));
      if (auto* a = dynamic_cast<Array*>(seq.value)) {
        for (int i = 0; i < a->size; ++i)
          if (!run_body(f, a->data[i], out, index, filtered)) break;
      } else if (auto* b = dynamic_cast<BitArrayValue*>(seq.value)) {
        for (int i = 0; i < b->bits.GetSize(); ++i)
          if (b->bits[i] && !run_body(f, Integer::intern(i + 1), out, index, filtered)) break;
      } else if (auto* s = dynamic_cast<String*>(seq.value)) {
        std::string text(s->string);
        for (char c : text)
          if (!run_body(f, new String(&c, 1), out, index, filtered)) break;
      } else {
        throw NoMethodError("map", seq.value);
      }
    } else {
      ValueLocals<3> range;
      range[0] = from->eval(f);
      range[1] = to->eval(f);
      range[2] = by ? by->eval(f) : Integer::intern(1);
      bool integral = range[0]->tag == &Integer_class && range[1]->tag == &Integer_class &&
                      range[2]->tag == &Integer_class;
      // A loop from a time counts in ticks and gives times: for t in 0f to 100f by 5f.
      bool times = range[0]->tag == &MSTime_class;
      if (integral || times) {
        long long i, last, step;
        if (times) {
          i = range[0]->to_timevalue(), last = range[1]->to_timevalue(), step = range[2]->to_timevalue();
        } else {
          i = range[0]->to_int(), last = range[1]->to_int(), step = range[2]->to_int();
        }
        if (step == 0) throw RuntimeError(msg::kForStepZero);
        for (; step > 0 ? i <= last : i >= last; i += step) {
          Value* v = &undefined;
          if (times)
            v = new MSTime(static_cast<TimeValue>(i));
          else if (variable_read)
            v = Integer::intern(static_cast<int>(i));
          if (!run_body(f, v, out, index, filtered)) break;
        }
      } else {
        double i = range[0]->to_float(), last = range[1]->to_float(), step = range[2]->to_float();
        if (step == 0) throw RuntimeError(msg::kForStepZero);
        for (; step > 0 ? i <= last : i >= last; i += step)
          if (!run_body(f, new Float(static_cast<float>(i)), out, index, filtered)) break;
      }
    }
  } catch (const LoopExit& e) {
    return out ? static_cast<Value*>(out) : e.value;
  }
  return out ? static_cast<Value*>(out) : &ok;
}

Value* Exit::eval(Frame* f) {
  if (!in_loop()) throw RuntimeError(msg::kExitOutsideLoop);
  throw LoopExit{value ? value->eval(f) : &ok};
}

Value* Continue::eval(Frame*) {
  if (!in_loop()) throw RuntimeError(msg::kContinueOutsideLoop);
  throw LoopContinue{};
}

Value* Return::eval(Frame* f) { throw FunctionReturn{value ? value->eval(f) : &ok}; }

Value* Case::eval(Frame* f) {
  OneValueLocal s(subject ? subject->eval(f) : nullptr);
  for (auto& [label, expr] : clauses) {
    Value* l = label->eval(f);
    bool match = s.value ? s.value->eq_vf(&l, 1) == &true_value : l->to_bool();
    if (match) return expr->eval(f);
  }
  return default_clause ? default_clause->eval(f) : &undefined;
}

// catch takes every error, a C++ exception from host or module code too;
// exit, continue and return pass through.
Value* Try::eval(Frame* f) {
  std::string caught;
  try {
    return body->eval(f);
  } catch (...) {
    try {
      rethrow_as_script_error();
    } catch (const MAXScriptException& e) {
      caught = e.message();
    }
  }
  CaughtError current(caught);
  return handler->eval(f);
}

Value* Throw::eval(Frame* f) {
  if (!message) {
    const std::string* current = current_exception();
    if (current == nullptr) throw RuntimeError(msg::kBareThrowOutsideCatch);
    throw Rethrown(*current);
  }
  OneValueLocal m(message->eval(f));
  std::string text = m.value->tag == &String_class ? m.value->to_string() : print_form(m.value);
  if (value) text += print_form(value->eval(f));
  throw UserThrow(text);
}

}  // namespace host::script
