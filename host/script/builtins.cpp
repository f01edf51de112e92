// The host's own script functions.
#include <chrono>
#include <string>

#include "../runtime/runtime_internal.h"
#include "host/messages.h"
#include "interpreter.h"

namespace {

// The stream named by a to: keyword, else the current script output.
CharStream* output_for(Value** arg_list, int count, const char* fn) {
  static Value* to_key = Name::intern("to");
  Value* to = _get_key_arg_or_default(arg_list, count, to_key, nullptr);
  if (to == nullptr) return thread_local_output();
  return check_class<CharStream>(to, &CharStream_class, fn);
}

Value* print_cf(Value** arg_list, int count) {
  check_positional_count("print", 1, arg_list, count);
  CharStream* out = output_for(arg_list, count, "print to:");
  arg_list[0]->sprin1(out);
  out->puts("\n");
  return arg_list[0];
}

// format "x = %, y = %\n" x y: each % takes the next argument's plain form;
// \% prints a percent sign.
Value* format_cf(Value** arg_list, int count) {
  int positional = positional_count(arg_list, count);
  check_arg_count_at_least("format", 1, positional);
  const char* fmt = arg_list[0]->to_string();
  CharStream* out = output_for(arg_list, count, "format to:");
  std::string run;
  int next_arg = 1;
  for (const char* p = fmt; *p; ++p) {
    if (p[0] == '\\' && p[1] == '%') {
      run += '%';
      ++p;
    } else if (*p == '%') {
      out->puts(run.c_str());
      run.clear();
      if (next_arg < positional) arg_list[next_arg++]->sprint(out);
    } else {
      run += *p;
    }
  }
  out->puts(run.c_str());
  return &ok;
}

Value* get_current_exception_cf(Value**, int count) {
  check_arg_count("getCurrentException", 0, count);
  const std::string* current = host::current_exception();
  return current ? static_cast<Value*>(new String(current->c_str())) : &undefined;
}

Value* gc_cf(Value**, int) {
  gc_collect();
  return Integer::intern(static_cast<int>(gc_heap_count()));
}

Value* file_in_cf(Value** arg_list, int count) {
  check_positional_count("fileIn", 1, arg_list, count);
  host::script::file_in(arg_list[0]->to_string());
  return &ok;
}

Value* get_source_file_name_cf(Value**, int count) {
  check_arg_count("getSourceFileName", 0, count);
  const std::string* file = host::script::current_script_file();
  return file ? static_cast<Value*>(new String(file->c_str())) : &undefined;
}

Value* append_cf(Value** arg_list, int count) {
  check_arg_count("append", 2, count);
  if (auto* a = dynamic_cast<Array*>(arg_list[0])) {
    a->append(arg_list[1]);
    return a;
  }
  if (arg_list[0]->tag == &String_class) {
    auto* s = static_cast<String*>(arg_list[0]);
    std::string joined = std::string(s->string) + arg_list[1]->to_string();
    auto* bigger = new String(joined.c_str());
    std::swap(s->string, bigger->string);  // strings are changed in place
    return s;
  }
  throw NoMethodError("append", arg_list[0]);
}

Value* time_stamp_cf(Value**, int count) {
  check_arg_count("timeStamp", 0, count);
  static const auto start = std::chrono::steady_clock::now();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  return Integer::intern(static_cast<int>(ms.count()));
}

Value* current_time_getter() { return new MSTime(MAXScript_time()); }
Value* slider_time_getter() { return new MSTime(host_slider_time()); }
Value* slider_time_setter(Value* v) {
  set_host_slider_time(v->to_timevalue());
  return v;
}
Value* read_only_setter(Value*) { throw RuntimeError(host::msg::kReadOnlySystemGlobal); }

Primitive print_pf("print", print_cf);
Primitive format_pf("format", format_cf);
Primitive get_current_exception_pf("getCurrentException", get_current_exception_cf);
Primitive gc_pf("gc", gc_cf);
Primitive file_in_pf("fileIn", file_in_cf);
Primitive get_source_file_name_pf("getSourceFileName", get_source_file_name_cf);
Primitive append_pf("append", append_cf);
Primitive time_stamp_pf("timeStamp", time_stamp_cf);

Generic flush_gf("flush", &Value::flush_vf);
Generic eof_gf("eof", &Value::eof_vf);
Generic seek_gf("seek", &Value::seek_vf);
Generic close_gf("close", &Value::close_vf);
Generic class_of_gf("classOf", &Value::classOf_vf);
Generic super_class_of_gf("superClassOf", &Value::superClassOf_vf);
Generic is_kind_of_gf("isKindOf", &Value::isKindOf_vf);

struct SystemGlobals {
  SystemGlobals() {
    define_system_global("currentTime", current_time_getter, read_only_setter);
    define_system_global("sliderTime", slider_time_getter, slider_time_setter);
    host::define_global_value("dontCollect", Name::intern("dontCollect"));
  }
} system_globals;

}  // namespace
