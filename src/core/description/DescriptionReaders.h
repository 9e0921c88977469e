#pragma once

// Every reader of the drive description sections.
#include "description/AlarmSection.h"
#include "description/IoSection.h"
#include "description/IplcSection.h"
#include "description/NoImportSection.h"
#include "description/ParameterSection.h"
#include "description/RegisterSection.h"
#include "description/SignalSections.h"
#include "description/SysRegSection.h"
#include "description/WaveRegDefSection.h"
#include "description/ZeroSections.h"
