#pragma once
// The printout of the subject table: a title, then a block for each used
// subject slot with its number and names and a row for each property set.

// Prints every subject on the current printer, each page a document of its
// own; the caller marks the run and says how it went.
void PrintSubjectTable();
