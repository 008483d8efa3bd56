#pragma once
// The weekly hours of each class ("Stundentafel"): a line per class with the
// hours of its subjects and their total, on one landscape page.
class Form14;

void PrintClassHours(Form14& menu);
