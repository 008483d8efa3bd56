#pragma once
// Drawing procedures the planner's printouts share.

// Draws the four sides of the rectangle with the corners (gRectX1, gRectY1)
// and (gRectX2, gRectY2) on the printer, in its current scale, as four lines.
void DrawPrinterRectangle();
