#pragma once

#include "description/DriveDescription.h"

namespace tevra {

class DriveLink;
class ParameterGridModel;
class ReadFailureReporter;
class StatusProgress;

// Reads every parameter listed in a parameter grid from the drive's RAM into the grid's
// value column (column 2: three blanks and the decimal value).
//
// Rows whose column 0 is empty or names no entry are skipped. By the entry's TypeCode:
// 0/1 are read with ReadWordReported (a failure is reported and the loop goes on), 2/3
// with ReadDWord (silent on failure), other codes are left unchanged. With a status window
// it shows "更新参数中.." and appends a dot before each row whose number is a multiple of
// round(rows / 8).
void ReadAllParameters(DriveLink& link, ParameterGridModel& grid, const ParameterList& entries,
                       ReadFailureReporter& reporter, StatusProgress* progress);

// round(count / divisor), halves to the even neighbour; the step of the progress dots.
int DotStep(int count, int divisor);

}  // namespace tevra
