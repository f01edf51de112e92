// Everything a script extension module needs from the host.
#pragma once

#include "host/checks.h"
#include "host/classes.h"
#include "host/exceptions.h"
#include "host/functions.h"
#include "host/geometry.h"
#include "host/globals.h"
#include "host/hold.h"
#include "host/locals.h"
#include "host/module.h"
#include "host/properties.h"
#include "host/script_time.h"
#include "host/streams.h"
#include "host/value.h"
#include "host/values.h"
