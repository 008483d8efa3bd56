#pragma once
// The presence chart of the staff ("Anwesenheit"): a row per teacher with
// what and where the teacher teaches in every period of the week, in the
// subjects' colours, and the teacher's gaps and taught periods.
class Form14;

// One portrait page up to about fifty teachers; a larger staff continues on
// further pages, each a print job of its own under the same header.
void PrintPresenceChart(Form14& menu);
