#include "devices/TypeTable.h"
// placeholder until the tables land
