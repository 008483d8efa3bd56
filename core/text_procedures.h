#pragma once
// Small text procedures; those without arguments work on gText in place.
#include <QString>

// Blanks removed at both ends (only blanks: the data files pad with them).
QString TrimBlanks(const QString& text);

// The teacher file comes from DOS with code-page-437 umlauts; read as
// Windows-1252 they show as other characters, which this maps back.
void ConvertDosUmlauts();

// Cuts every double quote out of gText (imported lines quote their fields).
void RemoveDoubleQuotes();

// Cuts the blanks off both ends of gText.
void TrimText();
