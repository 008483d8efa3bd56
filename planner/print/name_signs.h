#pragma once
// Name signs ("Namensschilder"): every teacher's full name in large type, six
// signs to a landscape page with a cutting line under each, each page a
// print job of its own. A name too wide for the sign is shrunk until it fits.
class Form14;

void PrintNameSigns(Form14& menu);
