#pragma once
// Week plans as compact blocks, several to a portrait page: a title, the
// short note, the weekday names, the period texts and a framed cell per day
// and period with what the teacher or class has then.
class Form14;

// "Lehrerplan 3/S": the teachers selected in List1, three blocks a page.
void PrintTeacherBlocks3(Form14& menu);
// "Klassen 3/S": the classes ticked in List2, three blocks a page; a single
// class fills its page three times.
void PrintClassBlocks3(Form14& menu);
// "12/S": the teachers selected in List1, twelve small blocks a page in two
// columns of six.
void PrintTeacherBlocks12(Form14& menu);
