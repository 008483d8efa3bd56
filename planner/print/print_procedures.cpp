#include "planner/print/print_procedures.h"

#include "core/model.h"
#include "platform/printer.h"

void DrawPrinterRectangle()
{
    const double x1 = gRectX1.toDouble();
    const double y1 = gRectY1.toDouble();
    const double x2 = gRectX2.toDouble();
    const double y2 = gRectY2;
    printer().line(x1, y1, x2, y1);
    printer().line(x2, y1, x2, y2);
    printer().line(x2, y2, x1, y2);
    printer().line(x1, y2, x1, y1);
}
