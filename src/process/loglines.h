#pragma once

// The lines that closing, starting and the run modes write, in one place, so that the
// configuration checker's plan says exactly what a run logs.
inline constexpr char closingline[] = "   trying to close %s\n";
inline constexpr char terminatingline[] = "...failed to close process, trying to terminate\n";
inline constexpr char startingline[] = "   starting %s\n";
inline constexpr char enumfailedline[] = "...failed to enumerate processes\n";
inline constexpr char startingallline[] = "...starting all\n";
inline constexpr char restartfailedline[] = "...failed shutdown processes, failed to restart\n";
