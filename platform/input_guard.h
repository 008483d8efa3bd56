#pragma once
// Keeps input meant for one control away from another that showed up under
// it meanwhile. A held key goes on repeating into whatever has the focus
// once its first press acted: the preselected "Ja" of the question that
// press raised, or the field the press handed the focus to. The second press
// of a double click lands on what the first press opened (a window, a box,
// a control shown in its place), or on what lay under what it closed; the
// first press may be the window manager's, on a close box. Neither is the
// user's answer to what they have not seen: such input reaches nobody, and
// moves no focus. A fresh key press at any speed, a held key that only
// moves, or a click after the double-click interval, goes through as always.
class QKeyEvent;

namespace inputguard {
// Filters the whole program's input from now on: each program right after
// making its application object. Installed again, it judges what comes next
// as the first input it sees (each test starts so).
void install();
// A key event that belongs to a key held down, marked as a repeat or sent by
// X as an unmarked release and press of the same moment; for a copy that the
// program forwards, whether it is marked so.
bool isRepeat(const QKeyEvent& key);
}
