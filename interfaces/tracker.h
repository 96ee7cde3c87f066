// The tracker control library as the module uses it.
#pragma once

#include "tracker/camera.h"
#include "tracker/connection.h"
#include "tracker/inclination.h"
#include "tracker/library_ids.h"
#include "tracker/measurements.h"
#include "tracker/positioning.h"
#include "tracker/power.h"
#include "tracker/profiles.h"
#include "tracker/status.h"
#include "tracker/targets.h"
#include "tracker/triggers.h"
#include "tracker/values.h"
