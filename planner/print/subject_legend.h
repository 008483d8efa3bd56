#pragma once
// The legend of the subject abbreviations ("Legende - LFV"): for each subject
// in use its short name, its printed abbreviation in the subject's colour and
// its long name, 42 to a portrait page, each page a print job of its own.
class Form14;

void PrintSubjectLegend(Form14& menu);
