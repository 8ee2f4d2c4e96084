#pragma once

// How the kit says why a thing failed:
// - Reading files and the configuration throws plain enumeration values, with no text: this
//   ioexception from io::file and io::bufreader, aux::auxexception from the lexer (a failed
//   read passes through it unchanged), config::syntaxerror from the grammar. Catch sites are
//   few and coarse: the loader catches every failure of a load, logs its one line and returns
//   false (the checker, opening the file itself, hands a failed open back to the loader to fail
//   alike); the log's open drops every failure and goes on without a log; tessark.exe's main
//   catches what ends a run early, a failed log write or exhausted memory.
// - Closing, starting and looking at processes throw nothing: a step that failed returns
//   false and says so in the log.
// - At the edges the drivers read, why is a string: empty, or the reason in words (the
//   rotation, the log report's source and output, the checker's whyunreadable).
// - A system error code (GetLastError, errno) turns into words in io::errortext only; a caller
//   says what the code means where only it knows (a sharing violation's holder, a missing
//   folder of a file it creates).

namespace io {

// Thrown by value, with no text: the catcher picks the wording.
enum ioexception { nomemory = 0, readfailed = 1, writefailed = 2, endofdata = 3, openfailed = 4 };

} // namespace io
