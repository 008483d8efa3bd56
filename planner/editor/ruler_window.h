#pragma once
#include "platform/forms.h"

#include <array>

class QLabel;

// Form35 "Lineal": the captions of the day's periods beside the timetable
// editor, one per grid row; it lines up with the editor's rows each time it
// becomes active.
class Form35 : public FormBase {
    Q_OBJECT
public:
    static constexpr int kCaptions = 12;

    Form35();

    std::array<QLabel*, kCaptions> Label1;

protected:
    void Form_Load() override;
    void Form_Activate() override;
};
