#include "render/ScaleMarks.h"

bool KeepTopAboveBottom(double& top, double bottom, double smallestSpan)
{
    if (top - bottom > 0)   // also false when either is not a number
        return false;
    top = bottom + smallestSpan;
    return true;
}
