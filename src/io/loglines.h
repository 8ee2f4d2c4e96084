#pragma once

// Every text tessark.exe writes to its log, in one place: tessark.exe writes from here, and
// the checker's plan and the log report read from here, so they can never disagree with a run.

// The stamp of the framing lines: day, month, year, hour, minute, second (UTC), then the text.
inline constexpr char stampformat[] = "%02d.%02d.%4d %02d:%02d:%02d %s\n";
inline constexpr char startedline[] = "*** started";
inline constexpr char normalendline[] = "*** normal shutdown";
inline constexpr char errorendline[] = "*** stop due to errors";

// The driver.
inline constexpr char loadedline[] = "...loaded [%d,%d] records from config, mode %d\n";
inline constexpr char enumallfailedline[] = "...failed to enumerate all processes\n";
inline constexpr char foundline[] = "...found %d processes\n";

// The configuration's loader and check.
inline constexpr char syntaxerrorline[] =
    "...not enough memory or syntax error at line %d in config file\n";
inline constexpr char sectionsizesline[] = "...size of sections in cfg file is different\n";
inline constexpr char wrongindexline[] = "...wrong index in stop section\n";

// The process dump: a heading, then per program the name piece and one of the endings.
inline constexpr char dumpheading[] = "process dump:\n";
inline constexpr char dumpname[] = "   %s ";
inline constexpr char dumpexist[] = "exist, pid %d ";
inline constexpr char dumpwindows[] = "found %d hwnds\n";
inline constexpr char dumpnowindow[] = "failed to get hwnd\n";
inline constexpr char dumpnotexist[] = "not exist\n";

// Closing, starting and the run modes (the first line of each branch is branchline()).
inline constexpr char closingline[] = "   trying to close %s\n";
inline constexpr char terminatingline[] = "...failed to close process, trying to terminate\n";
// What could not be done to one program: a termination refused, or a close whose message could
// not reach its window. Without them a failure would read as done.
inline constexpr char terminatefailedline[] = "   failed to terminate %s\n";
inline constexpr char unreachedline[] = "   failed to reach %s\n";
// A program still hung after the watch, terminated before the mode acts (or terminatefailedline).
inline constexpr char notrespondingline[] = "   not responding %s\n";
inline constexpr char startingline[] = "   starting %s\n";
inline constexpr char enumfailedline[] = "...failed to enumerate processes\n";
inline constexpr char startingallline[] = "...starting all\n";
inline constexpr char restartfailedline[] = "...failed shutdown processes, failed to restart\n";
inline constexpr char startmissingline[] = "...starting all not existed\n";
inline constexpr char allrunningline[] = "...no need to restart, all runs fine\n";
inline constexpr char restartsetline[] = "...not all processes exist, restarting\n";
inline constexpr char startsetline[] = "...starting them all\n";
inline constexpr char closesetline[] = "...closing all\n";
inline constexpr char closesomeline[] =
    "...failed to invert, not all processes exist, shutdown them\n";
inline constexpr char closeexistingline[] = "...closing all existing applications\n";
