#pragma once
// The usage sheet of a special room: a week grid naming in each period the
// classes whose lesson needs the room, three rooms to a portrait page.
class Form14;

// "Raumnutzung": the rooms selected in List5, in list order.
void PrintRoomUsageSheets(Form14& menu);
