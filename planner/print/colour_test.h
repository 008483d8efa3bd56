#pragma once
// The colour test page ("Farbtest"): every colour of the colour table with
// its name, a filled swatch and a text sample at four sizes, so that the user
// sees how the chosen printer renders the subjects' colours.
class Form14;

void PrintColourTest(Form14& menu);
