#pragma once
// Small text procedures that work on gText in place.

// The teacher file comes from DOS with code-page-437 umlauts; read as
// Windows-1252 they show as other characters, which this maps back.
void ConvertDosUmlauts();

// Cuts every double quote out of gText (imported lines quote their fields).
void RemoveDoubleQuotes();
