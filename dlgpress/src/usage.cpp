#include "usage.h"

#include <cstdio>

namespace dlgpress {

void print_usage() {
  static const char* const kLines[] = {
      "usage: dlgpress <WindowTitle> <ID>   -- or\n",
      "usage: dlgpress <WindowTitle> <ID> <seconds>  -- or\n",
      "usage: dlgpress -l\n",
      "example: doscommand \"dlgpress \" VRML 2.0 Exporter\" 1 15\"\n",
      "         exportfile \"demo.wrl\" #noprompt\n",
      "dlgpress sends a WM_COMMAND message to a window with a\n",
      "given name. If you use it to \"batch\" drive a dialogbox\n",
      "you have to use the dialog title to identify the dialog box\n",
      "If the title contains blanks - you must quote the title\n",
      "Use the -l option to list all windows (watch out for blanks in title!)\n",
      "Put the call of dlgpress in front of the dialogboxcall and add a time\n",
      "in seconds on the commandline. Dlgpress will start a subprocess which\n",
      "waits for the dialogbox to come up\n",
      "\nThe most used Command ID's are:\n",
      "IDOK: ID=1",
      "IDCANCEL: ID=2",
      "IDABORT:ID=3",
      "IDRETRY:ID=4\n",
      "IDIGNORE:ID=5",
      "IDYES:ID=6",
      "IDNO:ID=7",
      "IDCLOSE:ID=8",
      "IDHELP:ID=9\n",
      "\ndlgpress 1.0 - written by the maxsuite developers; report problems on the project's "
      "issue tracker\n",
  };
  for (const char* line : kLines) std::fputs(line, stdout);
}

}  // namespace dlgpress
