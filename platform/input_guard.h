#pragma once
// Keeps input meant for one control away from another that showed up under
// it meanwhile. A held key goes on repeating into whatever has the focus
// once its first press acted: the preselected "Ja" of the question that
// press raised, or the field the press handed the focus to. A press that
// follows the one before faster than anyone reads (the rest of a double or
// triple click, a press that drifted a little, a key tapped twice) lands on
// what the press before opened, showed, moved or resized, or on what lay
// under what it closed or hid; the window manager's close, minimise or
// maximise may have changed the screen instead, on the frame that window
// had. Nor does a question take a press within a double click of showing,
// wherever the press lands: nobody reads it that fast. Neither is the
// user's answer to what they have not seen: such input reaches nobody, and
// moves no focus. A character typed, a modifier, a key that only moves, a
// click on a control that did not change or away from the press before, or
// any press after the double-click interval, goes through as always.
class QKeyEvent;
class QWidget;

namespace inputguard {
// Filters the whole program's input from now on: each program right after
// making its application object. Installed again, it judges what comes next
// as the first input it sees (each test starts so).
void install();
// A key event that belongs to a key held down, marked as a repeat or sent by
// X as an unmarked release and press of the same moment; for a copy that the
// program forwards, whether it is marked so.
bool isRepeat(const QKeyEvent& key);
// Marks a control, or a box, that asks the user; its window's other
// controls are judged as always.
void asks(QWidget* control);
}
