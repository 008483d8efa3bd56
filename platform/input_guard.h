#pragma once
// Keeps input the user made for one thing away from another that they had
// not seen yet. Three rules, each judging input against input that went
// through, never against input that went nowhere:
// 1. A question (a box, or a confirmation a window shows in itself) takes no
//    press and no key but a modifier or one that only moves the focus, when
//    it was made before the question could be seen (it was painted and the
//    program took input again) or within a double click after: nobody reads
//    that fast.
// 2. The rest of a double click does not act on what its first press
//    changed: a press soon after and near the last press that went through
//    goes nowhere on a control that press opened, showed, moved or resized,
//    or where it closed or hid one. Enter, Space or Escape tapped again at
//    once goes nowhere on another control the last tap opened, or when that
//    tap's control is gone.
// 3. The window manager's close, minimise or maximise is the first press of
//    a double click on the frames that window had.
// Besides, a held key acts only on the control it went down on. Input that
// goes nowhere reaches nobody and moves no focus; a character typed into a
// field always arrives.
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
