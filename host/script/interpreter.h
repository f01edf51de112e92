// Runs script text: what the listener, fileIn and plug-ins use.
#pragma once

#include <functional>
#include <string>

class Value;

namespace host::script {

struct RunOptions {
  bool echo = false;        // print each top-level result, as the interactive listener does
  bool keep_going = false;  // go on after an uncaught error
};

// Runs source text as one script. Prints syntax errors and uncaught errors to
// the listener; true when no error was left uncaught.
bool run_source(const std::string& source, const std::string& file_name, const RunOptions& options);
bool run_file(const std::string& path, const RunOptions& options);

// Runs a file the way fileIn does: errors propagate to the caller.
void file_in(const std::string& path);

// The absolute path of the innermost script file being run, or null when
// the text running came from no file (-e, the prompt, execute).
const std::string* current_script_file();

// Runs source text as execute does: new names are globals, errors (a syntax
// error too) propagate, and the result is the last expression's value.
Value* evaluate_source(const std::string& source);

// Prints a line in the host's own colour (errors, echoed results).
void host_line(const std::string& text);

}  // namespace host::script
