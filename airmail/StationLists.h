#pragma once
// AirMail's mail systems and their station files, all together: the
// systems, the stations with their names and locators, each station's
// frequency list and the filters on it, and the stations nearest first.
#include "airmail/FrequencyFilters.h"
#include "airmail/FrequencyLists.h"
#include "airmail/MailSystems.h"
#include "airmail/StationEntries.h"
#include "airmail/StationFile.h"
#include "airmail/StationRanges.h"
